#include "PlanProposals.h"

#include "Condition.h"
#include "FilterEngine.h"
#include "SchemeRemaining.h"
#include "SearchReplay.h"

#include <algorithm>
#include <numeric>

namespace quorlent::plan {

namespace {

// Whether the run should stop; reports progress now and then.
class Steps
{
  public:
    Steps(const PlanControl &control, size_t total, size_t every)
        : m_control(control), m_total(int64_t(total)), m_every(every)
    {
    }
    bool stop(size_t done)
    {
        if (done % m_every != 0)
            return false;
        if (m_control.cancel && m_control.cancel->load(std::memory_order_relaxed))
            return true;
        if (m_control.progress)
            m_control.progress(int64_t(done), m_total);
        return false;
    }
    void finish()
    {
        if (m_control.progress)
            m_control.progress(m_total, m_total);
    }

  private:
    const PlanControl &m_control;
    int64_t m_total;
    size_t m_every;
};

PlanProposals emptyOf(size_t begin, size_t end)
{
    PlanProposals out;
    out.begin = begin;
    out.end = end;
    out.byRow.assign(end - begin, PlanProposals::kNone);
    return out;
}

// Keeps each different set of numbers once.
class NumberPool
{
  public:
    NumberPool(PlanProposals &out, const filter::ConditionSet &set)
        : m_out(out), m_first(filter::firstPosition(set.part)),
          m_count(filter::digitCount(set.part)), m_group(set.selection == filter::Selection::Group)
    {
    }
    uint32_t intern(const std::vector<uint32_t> &values)
    {
        return intern(Proposal::ofNumbers(m_first, m_count, m_group, values).bits);
    }
    // The numbers as a bit per number of the part.
    uint32_t intern(const std::vector<uint64_t> &bits)
    {
        uint64_t hash = 1469598103934665603ull;
        for (uint64_t word : bits)
            hash = (hash ^ word) * 1099511628211ull;
        if (2 * (m_hashes.size() + 1) > m_slots.size())
            grow();
        // Open addressing: the slots hold pool indexes, kNone where free.
        size_t at = size_t(hash) & (m_slots.size() - 1);
        for (; m_slots[at] != PlanProposals::kNone; at = (at + 1) & (m_slots.size() - 1)) {
            const uint32_t index = m_slots[at];
            if (m_hashes[index] == hash && m_out.pool[index].bits == bits)
                return index;
        }
        Proposal p;
        p.form = Proposal::Form::Numbers;
        p.first = int8_t(m_first);
        p.count = int8_t(m_count);
        p.group = m_group;
        p.bits = bits;
        m_held += p.bits.size() * sizeof(uint64_t);
        m_out.pool.push_back(std::move(p));
        m_hashes.push_back(hash);
        m_slots[at] = uint32_t(m_out.pool.size() - 1);
        return m_slots[at];
    }
    // Bytes held in all: beyond kMostHeld the plan's numbers would not fit in memory (a 前三
    // part takes 125 bytes a draw, 五星 12.5 kB).
    size_t held() const { return m_held; }
    static constexpr size_t kMostHeld = size_t(256) << 20;

  private:
    PlanProposals &m_out;
    int m_first;
    int m_count;
    bool m_group;
    size_t m_held = 0;
    std::vector<uint64_t> m_hashes; // by pool index
    std::vector<uint32_t> m_slots = std::vector<uint32_t>(64, PlanProposals::kNone);

    void grow()
    {
        m_slots.assign(m_slots.size() * 2, PlanProposals::kNone);
        for (uint32_t index = 0; index < m_hashes.size(); ++index) {
            size_t at = size_t(m_hashes[index]) & (m_slots.size() - 1);
            while (m_slots[at] != PlanProposals::kNone)
                at = (at + 1) & (m_slots.size() - 1);
            m_slots[at] = index;
        }
    }
};

} // namespace

PlanProposals searchProposals(const std::vector<HistoryRow> &rows, size_t begin, size_t end,
                              const SearchSource &source, const PlanControl &control)
{
    PlanProposals out = emptyOf(begin, end);
    BacktestRequest request;
    request.search = source.search;
    request.request = source.request;
    request.tally = source.tally;
    SearchReplay replay(rows, request);
    const TallySlots &outcomes = replay.outcomes();
    const std::vector<int> &values = outcomes.values();
    std::vector<int64_t> counts(outcomes.size());
    std::vector<size_t> order(outcomes.size());
    const size_t top = std::min(size_t(std::max(source.top, 1)), order.size());
    std::array<uint32_t, 1024> byMask;
    byMask.fill(PlanProposals::kNone);

    auto propose = [&](size_t t) -> uint32_t {
        const std::optional<int64_t> hits = replay.tallyBefore(t, counts);
        if (!hits || *hits == 0)
            return PlanProposals::kNone;
        // The tally grid's first k rows: largest count first, equal counts in ascending value.
        std::iota(order.begin(), order.end(), size_t(0));
        std::stable_sort(order.begin(), order.end(),
                         [&](size_t a, size_t b) { return counts[a] > counts[b]; });
        uint16_t digits = 0;
        for (size_t i = 0; i < top; ++i) {
            for (int d = 0; d < 10; ++d) {
                if (codeOf(d, outcomes.kind(), source.tally.segmentBase) == values[order[i]])
                    digits = uint16_t(digits | (1u << d));
            }
        }
        uint32_t &index = byMask[digits];
        if (index == PlanProposals::kNone) {
            std::array<uint16_t, kPositions> masks;
            masks.fill(Proposal::kAllDigits);
            for (int p = outcomes.firstPosition(); p <= outcomes.lastPosition(); ++p)
                masks[size_t(p)] = digits;
            out.pool.push_back(Proposal::ofDigits(masks));
            index = uint32_t(out.pool.size() - 1);
        }
        return index;
    };

    Steps steps(control, end - begin, 4096);
    for (size_t t = begin; t < end; ++t) {
        if (steps.stop(t - begin)) {
            out.cancelled = true;
            return out;
        }
        out.byRow[t - begin] = propose(t);
        replay.take(t);
    }
    // The draw to come learns from every draw of the range up to the newest.
    for (size_t t = end; t < rows.size(); ++t)
        replay.take(t);
    out.next = propose(rows.size());
    steps.finish();
    return out;
}

PlanProposals schemeProposals(const std::vector<HistoryRow> &rows, size_t begin, size_t end,
                              const SchemeSource &source, const PlanControl &control)
{
    PlanProposals out = emptyOf(begin, end);
    NumberPool pool(out, source.set);
    const bool dependent = std::any_of(
        source.set.conditions.begin(), source.set.conditions.end(), [](const filter::Condition &c) {
            return c.enabled && filter::dependsOnEarlierDraws(c.kind);
        });
    if (!dependent) {
        // The same numbers remain before every draw.
        filter::FilterEngine engine(rows);
        engine.setConditions(source.set);
        const uint32_t index = pool.intern(engine.remainingValues());
        std::fill(out.byRow.begin(), out.byRow.end(), index);
        out.next = index;
        return out;
    }

    // Conditions that read earlier draws: the numbers left before each draw, from the state
    // those conditions read there.
    SchemeRemaining remaining(rows, source.set);
    remaining.skipTo(begin);
    Steps steps(control, end - begin, 256);
    for (size_t t = begin; t < end; ++t) {
        if (steps.stop(t - begin)) {
            out.cancelled = true;
            return out;
        }
        out.byRow[t - begin] = pool.intern(remaining.next());
        if (pool.held() > NumberPool::kMostHeld) {
            out.error =
                QStringLiteral("此方案每期剩下的号码各不相同且太多，无法全部保存；请缩短范围");
            return out;
        }
    }
    remaining.skipTo(rows.size());
    out.next = pool.intern(remaining.next());
    steps.finish();
    return out;
}

PlanProposals constantProposals(size_t begin, size_t end, Proposal proposal)
{
    PlanProposals out = emptyOf(begin, end);
    out.pool.push_back(std::move(proposal));
    std::fill(out.byRow.begin(), out.byRow.end(), 0u);
    out.next = 0;
    return out;
}

} // namespace quorlent::plan
