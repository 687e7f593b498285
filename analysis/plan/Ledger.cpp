#include "Ledger.h"

#include "Record.h"
#include "Significance.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace quorlent::plan {

namespace {

Money add(Money a, Money b)
{
    Money sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return b > 0 ? std::numeric_limits<Money>::max() : std::numeric_limits<Money>::min();
    return sum;
}

Money times(Money a, int64_t b)
{
    Money product = 0;
    if (__builtin_mul_overflow(a, b, &product))
        return std::numeric_limits<Money>::max();
    return product;
}

// What chance gives a proposal's bets at 1 倍: the expected prize.
double chancePrizeOf(const BetSet &set, const PrizeTable &prizes)
{
    double expected = 0;
    for (const ChanceOutcome &o : set.chanceOutcomes())
        expected += o.probability * o.wins * double(prizes.prize(o.line));
    return expected;
}

} // namespace

Ledger::Ledger(const std::vector<HistoryRow> &rows, PlanProposals proposals)
    : m_rows(rows), m_proposals(std::move(proposals))
{
    const size_t n = m_proposals.rowCount();
    m_multiplier.assign(n, 1);
    m_balance.assign(n, 0);
    // Every number some proposal holds: a play reads only these.
    for (const Proposal &p : m_proposals.pool) {
        const Proposal &front = m_proposals.pool.front();
        if (p.form != Proposal::Form::Numbers || p.first != front.first || p.count != front.count)
            continue;
        m_numbersUsed.resize(p.bits.size());
        for (size_t w = 0; w < p.bits.size(); ++w)
            m_numbersUsed[w] |= p.bits[w];
    }
    if (m_proposals.pool.size() > kKeptBetSets)
        m_sketches = PartSketches::of(m_rows, m_proposals);
}

std::shared_ptr<Ledger::Priced> Ledger::startPricing(const Play &play, const PrizeTable &prizes,
                                                     std::shared_ptr<Priced> &storage) const
{
    std::shared_ptr<Priced> p = storage ? std::move(storage) : std::make_shared<Priced>();
    p->sets.clear();
    p->kindOf.clear();
    p->count.clear();
    p->chancePrize.clear();
    p->hitChance.clear();
    p->costAtOne.clear();
    p->made.clear();
    p->kinds.clear();
    p->play = &play;
    p->prizes = prizes;
    const size_t n = rowCount();
    p->status.assign(n, Status::NoProposal);
    p->wins.assign(n, 0);
    p->prizeAtOne.assign(n, 0);
    p->kindOf.resize(m_proposals.pool.size());
    return p;
}

std::shared_ptr<Ledger::Priced> Ledger::priceBySketch(const Play &play, const PrizeTable &prizes,
                                                      std::shared_ptr<Priced> &storage) const
{
    if (!m_sketches)
        return nullptr;
    const PartSketches &sketches = *m_sketches;
    const int at = sketches.startOf(play.first, play.count);
    if (at < 0)
        return nullptr;
    // What the play reads of a proposal.
    enum class Reads
    {
        Numbers,   // the numbers themselves (直选 of the whole part)
        Pair,      // the numbers of two positions
        PairGroup, // their multisets
        Triples,   // the multisets of three
        Digit      // the digits at one position
    };
    Reads reads = Reads::Digit;
    if (play.kind == PlayKind::Direct) {
        if (play.count == sketches.count())
            reads = Reads::Numbers;
        else if (play.count == 2)
            reads = Reads::Pair;
        else
            return nullptr;
    } else if (play.isGroup()) {
        reads = play.count == 3 ? Reads::Triples : Reads::PairGroup;
    }
    const bool group = reads == Reads::Triples || reads == Reads::PairGroup;

    // The lines the play pays by (at most two), and how many multisets of each shape each sells
    // of how many there are. Every line sells all the multisets of some shapes and none of the
    // others: a proposal's bets on a line are then counted by shape (PartSketches::shapes), and
    // its bets differ from another's to chance only by how many there are on each line.
    const int length = reads == Reads::Triples ? 3 : 2;
    std::array<PrizeLine, 2> lines{};
    int lineCount = 0;
    std::array<std::array<bool, 3>, 2> lineShapes{};
    if (group) {
        std::array<std::array<int, 3>, 2> in{};
        std::array<int, 3> all{};
        for (uint32_t v = 0; v < play.valueSpace(); ++v) {
            if (canonicalOf(v, length) != v)
                continue;
            const auto shape = size_t(PartSketches::shapeOf(v, length));
            ++all[shape];
            if (!play.sells(v))
                continue;
            int l = 0;
            while (l < lineCount && lines[size_t(l)] != play.lineFor(v))
                ++l;
            if (l == lineCount) {
                if (lineCount == 2)
                    return nullptr;
                lines[size_t(lineCount++)] = play.lineFor(v);
            }
            ++in[size_t(l)][shape];
        }
        for (size_t l = 0; l < 2; ++l) {
            for (size_t shape = 0; shape < 3; ++shape) {
                if (in[l][shape] > 0 && in[l][shape] < all[shape])
                    return nullptr;
                lineShapes[l][shape] = in[l][shape] > 0;
            }
        }
    }

    auto priced = startPricing(play, prizes, storage);
    Priced &p = *priced;
    const std::vector<Proposal> &pool = m_proposals.pool;
    const size_t n = rowCount();

    // Each proposal's kind: equal keys make bets equal to chance (and, for a digit, equal).
    std::vector<int32_t> kindOfKey(group ? 1 << 16 : reads == Reads::Digit ? 1 << 10 : 1024, -1);
    // How the part's numbers read as the play's bets: a draw wins when the proposal holds one of
    // the numbers making the draw's bet.
    const std::optional<NumberReading> reading = NumberReading::of(
        sketches.first(), sketches.count(), play, m_numbersUsed.empty() ? nullptr : &m_numbersUsed);
    if (!reading)
        return nullptr;
    for (uint32_t i = 0; i < pool.size(); ++i) {
        uint32_t key = 0;
        switch (reads) {
        case Reads::Numbers:
            key = sketches.numbers(i);
            break;
        case Reads::Pair:
            key = sketches.shapes(i, at, 2, -1);
            break;
        case Reads::PairGroup:
        case Reads::Triples: {
            uint32_t k0 = 0, k1 = 0;
            for (int shape = 0; shape < length; ++shape) {
                const uint32_t k = sketches.shapes(i, at, length, shape);
                k0 += lineShapes[0][size_t(shape)] ? k : 0;
                k1 += lineShapes[1][size_t(shape)] ? k : 0;
            }
            key = k0 << 8 | k1;
            break;
        }
        case Reads::Digit:
            key = sketches.digits(i, at);
            break;
        }
        int32_t &kind = kindOfKey[key];
        if (kind < 0) {
            kind = int32_t(p.kinds.size());
            if (p.kinds.empty()) {
                p.kinds.push_back(std::move(*BetSet::make(pool[i], play).bets));
            } else {
                BetSet bets = p.kinds.front();
                bets.assign(pool[i], *reading);
                p.kinds.push_back(std::move(bets));
            }
        }
        p.kindOf[i] = uint32_t(kind);
    }
    for (const BetSet &set : p.kinds) {
        p.count.push_back(set.count());
        p.chancePrize.push_back(chancePrizeOf(set, prizes));
        p.hitChance.push_back(set.hitChance());
        p.costAtOne.push_back(times(Money(set.count()), prizes.price));
    }

    // Whether each draw won: what the row's proposal holds of the draw, where the play sells the
    // draw's bet; under 定位胆 and 大小单双, the kind's bets.
    const uint8_t held = reads == Reads::Numbers     ? uint8_t(PartSketches::Number)
                         : reads == Reads::Pair      ? uint8_t(PartSketches::Pair << at)
                         : reads == Reads::PairGroup ? uint8_t(PartSketches::PairGroup << at)
                                                     : uint8_t(PartSketches::Triple);
    constexpr uint32_t kUnsold = UINT32_MAX;
    std::vector<uint32_t> betOf(reads == Reads::Digit ? 0 : play.valueSpace(), kUnsold);
    for (size_t b = 0; b < reading->bets.size(); ++b) {
        if (reads != Reads::Digit)
            betOf[reading->bets[b]] = uint32_t(b);
    }
    for (uint32_t v = 0; group && v < betOf.size(); ++v)
        betOf[v] = betOf[canonicalOf(v, play.count)];
    std::vector<PrizeLine> lineOf;
    if (play.kind == PlayKind::Group && play.count == 3) {
        lineOf.resize(play.valueSpace());
        for (uint32_t v = 0; v < play.valueSpace(); ++v)
            lineOf[v] = play.lineFor(canonicalOf(v, 3));
    }
    const uint32_t *byRow = m_proposals.byRow.data();
    const HistoryRow *draws = m_rows.data() + m_proposals.begin;
    for (size_t row = 0; row < n; ++row) {
        const uint32_t index = byRow[row];
        if (index == PlanProposals::kNone)
            continue;
        if (p.count[p.kindOf[index]] == 0) {
            p.status[row] = Status::NoBet;
            continue;
        }
        const Digits &digits = draws[row].digits();
        const uint32_t value = play.positionsValue(digits);
        uint32_t wins = 0;
        if (reads == Reads::Digit)
            wins = p.kinds[p.kindOf[index]].wins(digits, value);
        else if (betOf[value] != kUnsold)
            wins = (sketches.held(row) & held) != 0;
        p.status[row] = wins ? Status::Win : Status::Miss;
        if (wins) {
            p.wins[row] = uint8_t(wins);
            p.prizeAtOne[row] =
                Money(wins) * prizes.prize(lineOf.empty() ? play.line : lineOf[value]);
        }
    }
    return priced;
}

std::shared_ptr<Ledger::Priced> Ledger::price(const Play &play, const PrizeTable &prizes,
                                              FieldError *error,
                                              std::shared_ptr<Priced> storage) const
{
    if (auto sketched = priceBySketch(play, prizes, storage))
        return sketched;
    auto priced = startPricing(play, prizes, storage);
    Priced &p = *priced;
    const std::vector<Proposal> &pool = m_proposals.pool;
    const size_t n = rowCount();
    for (uint32_t i = 0; i < pool.size(); ++i)
        p.kindOf[i] = i;
    p.count.assign(pool.size(), 0);
    p.chancePrize.assign(pool.size(), 0);
    p.hitChance.assign(pool.size(), 0);
    p.costAtOne.assign(pool.size(), 0);

    // The bets of proposal i: kept, or made in `scratch` (from the numbers' reading where there
    // is one, without reading digits).
    const bool keep = pool.size() <= kKeptBetSets;
    std::optional<NumberReading> reading;
    if (!keep && !pool.empty() && pool.front().form == Proposal::Form::Numbers)
        reading = NumberReading::of(pool.front().first, pool.front().count, play,
                                    m_numbersUsed.empty() ? nullptr : &m_numbersUsed);
    std::optional<BetSet> scratch;
    uint32_t inScratch = PlanProposals::kNone;
    std::vector<bool> seen(pool.size(), false); // priced already
    auto betsAt = [&](uint32_t i) -> const BetSet * {
        if (keep)
            return &p.sets[i];
        if (i == inScratch)
            return &*scratch;
        const Proposal &proposal = pool[i];
        if (scratch && reading && proposal.form == Proposal::Form::Numbers && !proposal.group &&
            proposal.first == reading->first && proposal.count == reading->count) {
            scratch->assign(proposal, *reading);
        } else {
            BetSetResult made = BetSet::make(proposal, play);
            if (!made.bets) {
                *error = made.error;
                return nullptr;
            }
            scratch = std::move(made.bets);
        }
        inScratch = i;
        if (!seen[i]) {
            seen[i] = true;
            p.count[i] = scratch->count();
            p.chancePrize[i] = chancePrizeOf(*scratch, prizes);
            p.hitChance[i] = scratch->hitChance();
            p.costAtOne[i] = times(Money(scratch->count()), prizes.price);
        }
        return &*scratch;
    };
    if (keep) {
        p.sets.reserve(pool.size());
        for (uint32_t i = 0; i < pool.size(); ++i) {
            BetSetResult made = BetSet::make(pool[i], play);
            if (!made.bets) {
                *error = made.error;
                return nullptr;
            }
            p.sets.push_back(std::move(*made.bets));
            const BetSet &set = p.sets.back();
            p.count[i] = set.count();
            p.chancePrize[i] = chancePrizeOf(set, prizes);
            p.hitChance[i] = set.hitChance();
            p.costAtOne[i] = times(Money(set.count()), prizes.price);
        }
    }

    // The draw's value under the play: its digits there read as a number, sorted first under
    // 组选 (by a table of the values of those positions). The line a win pays by: the play's,
    // except under 三星组选, where the draw's shape says.
    std::vector<uint32_t> sorted;
    std::vector<PrizeLine> lineOf;
    if (play.isGroup()) {
        sorted.resize(play.valueSpace());
        for (uint32_t v = 0; v < play.valueSpace(); ++v)
            sorted[v] = canonicalOf(v, play.count);
    }
    if (play.kind == PlayKind::Group && play.count == 3) {
        lineOf.resize(play.valueSpace());
        for (uint32_t v = 0; v < play.valueSpace(); ++v)
            lineOf[v] = play.lineFor(v);
    }
    const uint32_t *byRow = m_proposals.byRow.data();
    const HistoryRow *draws = m_rows.data() + m_proposals.begin;
    for (size_t row = 0; row < n; ++row) {
        const uint32_t index = byRow[row];
        if (index == PlanProposals::kNone)
            continue;
        const BetSet *set = betsAt(index);
        if (!set)
            return nullptr;
        if (set->count() == 0) {
            p.status[row] = Status::NoBet;
            continue;
        }
        const Digits &digits = draws[row].digits();
        uint32_t value = play.positionsValue(digits);
        if (!sorted.empty())
            value = sorted[value];
        const uint32_t wins = set->wins(digits, value);
        p.status[row] = wins ? Status::Win : Status::Miss;
        if (wins) {
            p.wins[row] = uint8_t(wins);
            p.prizeAtOne[row] =
                Money(wins) * prizes.prize(lineOf.empty() ? play.line : lineOf[value]);
        }
    }
    // Proposals no row reads (the draw to come's) too: the play must take every one, as it must
    // take every kept one.
    if (!keep) {
        for (uint32_t i = 0; i < pool.size(); ++i) {
            if (!seen[i] && !betsAt(i))
                return nullptr;
        }
    }
    return priced;
}

std::optional<FieldError> Ledger::setPlay(const Play &play, const PrizeTable &prizes)
{
    if (const FieldErrors errors = prizes.validate(); !errors.empty())
        return errors.front();
    std::shared_ptr<Priced> priced;
    const auto known = std::find_if(m_spare.begin(), m_spare.end(), [&](const auto &s) {
        return s->play == &play && s->prizes == prizes;
    });
    if (known != m_spare.end()) {
        priced = std::move(*known);
        m_spare.erase(known);
    } else if (!m_priced || m_priced->play != &play || !(m_priced->prizes == prizes)) {
        // The spare the new play will push out lends it its memory: on a long ledger, memory
        // the process has not touched before costs more than the figures written into it.
        std::shared_ptr<Priced> storage;
        if (m_priced && m_spare.size() >= kSparePriced && m_spare.back().use_count() == 1) {
            storage = std::move(m_spare.back());
            m_spare.pop_back();
        }
        if (!storage && !m_blank.empty()) {
            storage = std::move(m_blank.back());
            m_blank.pop_back();
        }
        FieldError error;
        priced = price(play, prizes, &error, std::move(storage));
        if (!priced)
            return error;
    }
    if (priced && !m_priced) {
        // The first play: memory for the next few is touched now, with the ledger, rather than
        // when a play is chosen (fresh memory costs more than the figures written into it).
        const size_t n = rowCount();
        const size_t byProposal = m_sketches ? 0 : m_proposals.pool.size();
        for (size_t i = 0; i < kSparePriced; ++i) {
            auto blank = std::make_shared<Priced>();
            blank->status.assign(n, Status::NoProposal);
            blank->wins.assign(n, 0);
            blank->prizeAtOne.assign(n, 0);
            blank->kindOf.assign(m_proposals.pool.size(), 0);
            blank->count.assign(byProposal, 0);
            blank->chancePrize.assign(byProposal, 0);
            blank->hitChance.assign(byProposal, 0);
            blank->costAtOne.assign(byProposal, 0);
            m_blank.push_back(std::move(blank));
        }
    }
    if (priced) {
        if (m_priced)
            m_spare.insert(m_spare.begin(), std::move(m_priced));
        if (m_spare.size() > kSparePriced)
            m_spare.pop_back();
        m_priced = std::move(priced);
    }
    settle();
    return std::nullopt;
}

std::optional<FieldError> Ledger::setStaking(const Progression &progression, Money startBalance)
{
    if (const FieldErrors errors = progression.validate(); !errors.empty())
        return errors.front();
    if (startBalance < 0 || startBalance > kLargestAmount)
        return FieldError{QStringLiteral("起始资金"), startBalance < 0
                                                          ? QStringLiteral("起始资金不能为负数")
                                                          : QStringLiteral("起始资金太大")};
    m_progression = progression;
    m_startBalance = startBalance;
    settle();
    return std::nullopt;
}

Ledger::Status Ledger::status(size_t row) const
{
    return m_priced ? m_priced->status[row] : Status::NoProposal;
}

const BetSet *Ledger::betsOf(uint32_t index) const
{
    if (index == PlanProposals::kNone || !m_priced)
        return nullptr;
    if (!m_priced->sets.empty())
        return &m_priced->sets[index];
    auto &made = m_priced->made;
    auto known = made.find(index);
    if (known == made.end()) {
        // The play took every proposal when it was priced.
        BetSetResult bets = BetSet::make(m_proposals.pool[index], *m_priced->play);
        known = made.emplace(index, std::move(*bets.bets)).first;
    }
    return &known->second;
}

const BetSet *Ledger::bets(size_t row) const
{
    return betsOf(m_proposals.byRow[row]);
}

uint64_t Ledger::betCount(size_t row) const
{
    const uint32_t index = m_proposals.byRow[row];
    return index == PlanProposals::kNone || !m_priced ? 0
                                                      : m_priced->count[m_priced->kindOf[index]];
}

Money Ledger::cost(size_t row) const
{
    const Status s = status(row);
    if (s != Status::Win && s != Status::Miss)
        return 0;
    return times(m_priced->costAtOne[m_priced->kindOf[m_proposals.byRow[row]]], m_multiplier[row]);
}

Money Ledger::prize(size_t row) const
{
    return m_priced ? times(m_priced->prizeAtOne[row], m_multiplier[row]) : 0;
}

const BetSet *Ledger::nextBets() const
{
    return betsOf(m_proposals.next);
}

void Ledger::settle()
{
    LedgerSummary s;
    s.rows = int64_t(rowCount());
    s.startBalance = m_startBalance;
    Money balance = m_startBalance;
    Money peak = m_startBalance;
    int64_t peakRow = -1;
    s.lowestBalance = m_startBalance;
    double chanceSum = 0;
    int state = 0;
    int64_t winRun = 0;
    int64_t missRun = 0;

    // The progression as tables: its multiplier and the state after a miss, by state.
    std::vector<int64_t> multipliers;
    std::vector<int> afterMiss;
    for (int st = 0; st < m_progression.stateCount(); ++st) {
        multipliers.push_back(m_progression.multiplier(st));
        afterMiss.push_back(m_progression.afterMiss(st));
    }
    std::vector<Status> unpriced;
    if (!m_priced)
        unpriced.assign(rowCount(), Status::NoProposal);
    const Status *statuses = m_priced ? m_priced->status.data() : unpriced.data();
    const uint32_t *byRow = m_proposals.byRow.data();
    for (size_t row = 0; row < rowCount(); ++row) {
        const Status status = statuses[row];
        if (status == Status::NoProposal || status == Status::NoBet) {
            ++(status == Status::NoProposal ? s.noProposal : s.noBet);
            m_multiplier[row] = 0;
            m_balance[row] = balance;
            continue;
        }
        const int64_t m = multipliers[size_t(state)];
        m_multiplier[row] = int32_t(m);
        const Priced &p = *m_priced; // a row with bets has been priced
        const uint32_t index = p.kindOf[byRow[row]];
        const Money cost = times(p.costAtOne[index], m);
        if (s.firstShort < 0 && balance < cost)
            s.firstShort = int64_t(row);
        const Money prize = times(p.prizeAtOne[row], m);
        balance = add(add(balance, -cost), prize);
        m_balance[row] = balance;
        s.totalCost = add(s.totalCost, cost);
        s.totalPrize = add(s.totalPrize, prize);
        s.chancePrize += p.chancePrize[index] * double(m);
        chanceSum += p.hitChance[index];
        ++s.betDraws;

        if (status == Status::Win) {
            ++s.wins;
            ++winRun;
            missRun = 0;
            if (winRun > s.longestWins) {
                s.longestWins = winRun;
                s.longestWinsEnd = int64_t(row);
            }
            state = Progression::afterWin(state);
        } else {
            ++missRun;
            winRun = 0;
            if (missRun > s.longestMisses) {
                s.longestMisses = missRun;
                s.longestMissesEnd = int64_t(row);
            }
            state = afterMiss[size_t(state)];
        }

        s.lowestBalance = std::min(s.lowestBalance, balance);
        if (balance > peak) {
            peak = balance;
            peakRow = int64_t(row);
        } else if (peak - balance > s.deepestDrawdown) {
            s.deepestDrawdown = peak - balance;
            s.drawdownPeak = peakRow;
            s.drawdownLow = int64_t(row);
        }
    }
    s.currentWins = winRun;
    s.currentMisses = missRun;
    s.finalBalance = balance;

    if (s.betDraws > 0) {
        s.hitRate = double(s.wins) / double(s.betDraws);
        s.chanceHitRate = chanceSum / double(s.betDraws);
        const significance::Interval wilson = significance::wilsonInterval(s.wins, s.betDraws);
        s.wilsonLow = wilson.low;
        s.wilsonHigh = wilson.high;
    }
    // The test and its verdict as the 缩水 records and the outcome chart word them.
    const filter::Record record = filter::Record::of(s.betDraws, s.wins, s.chanceHitRate);
    s.pValue = record.pValue;
    s.verdict = filter::recordVerdict(record);
    m_summary = s;
}

Ledger::ChanceSource Ledger::chanceSource() const
{
    ChanceSource source;
    source.m_ledger = this;
    source.m_priced = m_priced;
    return source;
}

ChanceBets Ledger::ChanceSource::bets() const
{
    ChanceBets out;
    if (!m_priced)
        return out;
    const Priced &priced = *m_priced;
    const PrizeTable &prizes = priced.prizes;
    auto chanceBetOf = [&](const BetSet &set) {
        ChanceBet bet;
        bet.costAtOne = times(Money(set.count()), prizes.price);
        for (const ChanceOutcome &o : set.chanceOutcomes())
            bet.prizes.emplace_back(Money(o.wins) * prizes.prize(o.line), o.probability);
        return bet;
    };
    const std::vector<Proposal> &pool = m_ledger->m_proposals.pool;
    out.kinds.reserve(pool.size());
    if (!priced.kinds.empty()) {
        std::vector<ChanceBet> ofKind;
        for (const BetSet &set : priced.kinds)
            ofKind.push_back(chanceBetOf(set));
        for (size_t i = 0; i < pool.size(); ++i)
            out.kinds.push_back(ofKind[priced.kindOf[i]]);
    }
    std::optional<NumberReading> reading;
    if (priced.kinds.empty() && priced.sets.empty() && !pool.empty() &&
        pool.front().form == Proposal::Form::Numbers)
        reading =
            NumberReading::of(pool.front().first, pool.front().count, *priced.play,
                              m_ledger->m_numbersUsed.empty() ? nullptr : &m_ledger->m_numbersUsed);
    std::optional<BetSet> scratch;
    for (size_t i = 0; priced.kinds.empty() && i < pool.size(); ++i) {
        const BetSet *set = nullptr;
        if (!priced.sets.empty()) {
            set = &priced.sets[i];
        } else if (scratch && reading && pool[i].form == Proposal::Form::Numbers &&
                   !pool[i].group && pool[i].first == reading->first &&
                   pool[i].count == reading->count) {
            scratch->assign(pool[i], *reading);
            set = &*scratch;
        } else {
            scratch = std::move(BetSet::make(pool[i], *priced.play).bets);
            set = &*scratch;
        }
        out.kinds.push_back(chanceBetOf(*set));
    }
    const std::vector<uint32_t> &byRow = m_ledger->m_proposals.byRow;
    for (size_t row = 0; row < byRow.size(); ++row) {
        const Status s = priced.status[row];
        if (s == Status::Win || s == Status::Miss)
            out.sequence.push_back(byRow[row]);
    }
    return out;
}

} // namespace quorlent::plan
