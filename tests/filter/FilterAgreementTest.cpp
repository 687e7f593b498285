// The engine against the slow way: every number of the part checked against every condition,
// every draw of a window judged with its own earlier draws, and the shares of the conditions
// that read earlier draws counted number by number at each draw.
#include "FilterEngine.h"
#include "FilterNaive.h"
#include "NumberTable.h"
#include "Significance.h"

#include <gtest/gtest.h>
#include <sstream>

#include <algorithm>

using namespace quorlent;
using namespace quorlent::filter;
using namespace quorlent::filter::testing;

namespace {

// Windows whose draws × numbers stay below this also get their shares counted at every draw.
constexpr double kCountedShares = 5e5;

void expectSameRecord(const Record &a, const Record &b, const char *what)
{
    EXPECT_EQ(a.draws, b.draws) << what;
    EXPECT_EQ(a.passes, b.passes) << what;
    EXPECT_EQ(a.pending, b.pending) << what;
    EXPECT_DOUBLE_EQ(a.keptShare, b.keptShare) << what;
    EXPECT_DOUBLE_EQ(a.pValue, b.pValue) << what;
}

struct Case
{
    const std::vector<HistoryRow> &rows;
    ConditionSet set;
    std::vector<NaiveCondition> naive;
    std::vector<std::vector<int>> numbers; // digits of every number of the part

    bool applied(size_t i) const { return i < naive.size() && set.conditions[i].enabled; }
    bool dependent(size_t i) const { return dependsOnEarlierDraws(set.conditions[i].kind); }

    void expectCounts(const FilterEngine &engine) const
    {
        const Before next = beforeDraw(rows, rows.size(), set.part);
        const FilterCounts counts = engine.counts();
        const NumberTable &table = NumberTable::of(digitCount(set.part));
        std::vector<uint32_t> kept(naive.size(), 0);
        std::vector<uint32_t> remaining;
        for (uint32_t n = 0; n < numbers.size(); ++n) {
            bool all = true;
            for (size_t i = 0; i < naive.size(); ++i) {
                const bool pass = naive[i].passes(numbers[n], next);
                kept[i] += pass;
                all = all && (pass || !applied(i));
            }
            const auto &d = numbers[n];
            if (all && (set.selection == Selection::Direct || std::is_sorted(d.begin(), d.end())))
                remaining.push_back(n);
        }
        for (size_t i = 0; i < naive.size(); ++i)
            EXPECT_EQ(counts.conditions[i]->numbers, kept[i]) << i;
        EXPECT_FALSE(counts.conditions.back()); // the invalid one
        EXPECT_EQ(engine.remainingValues(), remaining);
        EXPECT_EQ(set.selection == Selection::Group ? counts.remainingGroups : counts.remaining,
                  remaining.size());
        uint32_t orderings = 0;
        for (uint32_t v : engine.remainingValues())
            orderings += table.orderings(table.multiset(v));
        if (set.selection == Selection::Group) {
            EXPECT_EQ(counts.remaining, orderings);
        }
    }

    // Per condition (and last, all applied together): passes and, where counted, the Σ over
    // draws of the numbers passing.
    void expectRecords(FilterEngine &engine, size_t lastDraws) const
    {
        RecordTable records = engine.records(lastDraws);
        const size_t draws = records.end - records.begin;
        ASSERT_EQ(records.end, rows.size());
        ASSERT_EQ(draws, lastDraws ? std::min(lastDraws, rows.size()) : rows.size());
        const size_t size = numbers.size();
        const bool counted = double(draws) * double(size) <= kCountedShares;
        const size_t columns = naive.size() + 1;
        std::vector<int64_t> passes(columns, 0), numbersPassing(columns, 0);
        std::vector<char> independent(size, 1);
        int64_t independentTogether = 0;
        for (size_t n = 0; n < size; ++n) {
            for (size_t i = 0; i < naive.size(); ++i) {
                if (!dependent(i) && naive[i].passes(numbers[n], Before{})) {
                    numbersPassing[i] += int64_t(draws);
                } else if (!dependent(i) && applied(i)) {
                    independent[n] = 0;
                }
            }
            independentTogether += independent[n];
        }
        bool togetherDepends = false;
        for (size_t i = 0; i < naive.size(); ++i)
            togetherDepends = togetherDepends || (applied(i) && dependent(i));
        if (!togetherDepends)
            numbersPassing.back() = independentTogether * int64_t(draws);
        for (size_t t = records.begin; t < records.end; ++t) {
            const Before before = beforeDraw(rows, t, set.part);
            const auto drawn = digitsOf(partValue(set.part, rows[t].digits()), set.part);
            bool all = true;
            for (size_t i = 0; i < naive.size(); ++i) {
                const bool pass = naive[i].passes(drawn, before);
                passes[i] += pass;
                all = all && (pass || !applied(i));
            }
            passes.back() += all;
            for (size_t n = 0; counted && n < size; ++n) {
                bool together = independent[n] != 0;
                for (size_t i = 0; i < naive.size(); ++i) {
                    if (!dependent(i))
                        continue;
                    const bool pass = naive[i].passes(numbers[n], before);
                    numbersPassing[i] += pass;
                    together = together && (pass || !applied(i));
                }
                numbersPassing.back() += togetherDepends && together;
            }
        }
        if (records.together.pending) {
            const std::optional<ConjunctionShareTask> task = engine.conjunctionTask(lastDraws);
            ASSERT_TRUE(task);
            EXPECT_EQ(records.together.passes, passes.back());
            const Record done = *task->run();
            engine.acceptConjunction(*task, done);
            records.together = engine.records(lastDraws).together;
            expectSameRecord(records.together, done, "accepted");
        }
        for (size_t i = 0; i < columns; ++i) {
            const Record &r = i < naive.size() ? *records.conditions[i] : records.together;
            EXPECT_EQ(r.draws, int64_t(draws));
            EXPECT_EQ(r.passes, passes[i]) << i;
            const bool exactShare = i < naive.size() ? !dependent(i) : !togetherDepends;
            if (draws == 0 || (!counted && !exactShare))
                continue;
            const double share = double(numbersPassing[i]) / double(draws) / double(size);
            EXPECT_DOUBLE_EQ(r.keptShare, share) << i << " " << lastDraws;
            EXPECT_DOUBLE_EQ(
                r.pValue, significance::binomialTwoSided(passes[i], int64_t(draws), r.keptShare));
        }
    }
};

std::vector<ConditionKind> kindsFor(Selection selection)
{
    std::vector<ConditionKind> kinds;
    for (int k = 0; k < kConditionKinds; ++k) {
        if (selection == Selection::Direct || ConditionKind(k) != ConditionKind::Position)
            kinds.push_back(ConditionKind(k));
    }
    return kinds;
}

class FilterAgreement : public ::testing::TestWithParam<FilterPart>
{
};

} // namespace

TEST_P(FilterAgreement, EveryKindInBothSelectionsMatchesTheSlowWay)
{
    const FilterPart part = GetParam();
    std::mt19937 rng(1000 + unsigned(part));
    std::vector<HistoryRow> rows = randomRows(2000, rng);
    std::vector<std::vector<int>> numbers;
    for (uint32_t n = 0; n < partSize(part); ++n)
        numbers.push_back(digitsOf(n, part));
    const size_t small = size_t(kCountedShares / partSize(part));

    for (Selection selection : {Selection::Direct, Selection::Group}) {
        std::vector<ConditionKind> kinds = kindsFor(selection);
        std::shuffle(kinds.begin(), kinds.end(), rng);
        for (size_t from = 0; from < kinds.size(); from += 4) {
            Case c{rows, {part, selection, {}}, {}, numbers};
            for (size_t i = from; i < std::min(from + 4, kinds.size()); ++i)
                c.naive.push_back(randomCondition(kinds[i], part, selection, rng));
            // Two conditions that read earlier draws in every set, so they meet each other and
            // the others together.
            c.naive.push_back(randomCondition(ConditionKind::Repeat, part, selection, rng));
            c.naive.push_back(randomCondition(from % 8 ? ConditionKind::Hot : ConditionKind::Cold,
                                              part, selection, rng));
            for (const NaiveCondition &n : c.naive)
                c.set.conditions.push_back(n.condition);
            c.set.conditions[from % c.naive.size()].enabled = false;
            Condition invalid;
            invalid.values = QStringLiteral("9-3");
            c.set.conditions.push_back(invalid);

            FilterEngine engine(rows);
            engine.setSynchronousWork(from % 8 ? 0 : FilterEngine::kDefaultSynchronousWork);
            engine.setConditions(c.set);
            const auto errors = engine.errors();
            EXPECT_EQ(std::count(errors.begin(), errors.end(), QString()),
                      ptrdiff_t(c.naive.size()))
                << errors.front().toStdString();
            SCOPED_TRACE(QString::fromUtf8(QByteArray::number(from) + " " +
                                           QByteArray::number(int(selection)))
                             .toStdString());
            c.expectCounts(engine);
            c.expectRecords(engine, 0);
            c.expectRecords(engine, small);
        }
    }
}

// Appending draws, cutting the history back and changing conditions leave the engine where a
// fresh one would be.
TEST_P(FilterAgreement, KeepsUpWithTheHistoryAndChanges)
{
    const FilterPart part = GetParam();
    std::mt19937 rng(2000 + unsigned(part));
    std::vector<HistoryRow> rows = randomRows(1500, rng);
    ConditionSet set{part, Selection::Direct, {}};
    for (ConditionKind kind : {ConditionKind::Sum, ConditionKind::Repeat, ConditionKind::Cold,
                               ConditionKind::Hot, ConditionKind::Kill})
        set.conditions.push_back(randomCondition(kind, part, Selection::Direct, rng).condition);
    FilterEngine engine(rows);
    engine.setConditions(set);
    engine.records(0);

    auto expectFresh = [&](const char *what) {
        FilterEngine fresh(rows);
        fresh.setConditions(engine.conditions());
        const FilterCounts a = engine.counts();
        const FilterCounts b = fresh.counts();
        EXPECT_EQ(a.remaining, b.remaining) << what;
        for (size_t i = 0; i < a.conditions.size(); ++i)
            EXPECT_EQ(a.conditions[i]->numbers, b.conditions[i]->numbers) << what << i;
        for (size_t last : {size_t(0), size_t(300)}) {
            const RecordTable ra = engine.records(last);
            const RecordTable rb = fresh.records(last);
            for (size_t i = 0; i < ra.conditions.size(); ++i)
                expectSameRecord(*ra.conditions[i], *rb.conditions[i], what);
            expectSameRecord(ra.together, rb.together, what);
        }
    };
    const std::vector<HistoryRow> more = randomRows(700, rng);
    rows.insert(rows.end(), more.begin(), more.end());
    engine.rowsAppended();
    expectFresh("appended");
    rows.resize(1200);
    engine.rowsReset();
    expectFresh("cut back");

    ConditionSet changed = set;
    changed.conditions[2].threshold += 3;
    changed.conditions[0].enabled = false;
    engine.setConditions(changed);
    expectFresh("threshold changed");
    engine.setConditions(set);
    expectFresh("changed back");

    // Omissions made ready ahead, then appended to, are those a new condition would make.
    Condition next = set.conditions[3];
    next.threshold += 1;
    engine.prepareOmissions(next);
    const std::vector<HistoryRow> later = randomRows(50, rng);
    rows.insert(rows.end(), later.begin(), later.end());
    engine.rowsAppended();
    changed = set;
    changed.conditions[3] = next;
    engine.setConditions(changed);
    expectFresh("a threshold made ready");
}

// The together record's task stops when cancelled, and its record is not taken once the
// conditions it was made for have changed.
TEST(FilterTask, CancelledAndStale)
{
    std::mt19937 rng(5);
    const std::vector<HistoryRow> rows = randomRows(3000, rng);
    ConditionSet set{FilterPart::FrontThree, Selection::Direct, {}};
    for (ConditionKind kind : {ConditionKind::Span, ConditionKind::Cold})
        set.conditions.push_back(randomCondition(kind, set.part, Selection::Direct, rng).condition);
    FilterEngine engine(rows);
    engine.setSynchronousWork(0);
    engine.setConditions(set);
    const std::optional<ConjunctionShareTask> task = engine.conjunctionTask(RecordWindow::All);
    ASSERT_TRUE(task);
    const std::atomic<bool> cancelled{true};
    EXPECT_FALSE(task->run(&cancelled));
    const Record record = *task->run();

    set.conditions[0].enabled = false;
    engine.setConditions(set);
    engine.acceptConjunction(*task, record);
    EXPECT_TRUE(engine.records(RecordWindow::All).together.pending);
    set.conditions[0].enabled = true;
    engine.setConditions(set);
    engine.acceptConjunction(*task, record);
    EXPECT_FALSE(engine.records(RecordWindow::All).together.pending);
    EXPECT_FALSE(engine.conjunctionTask(RecordWindow::All));
}

namespace quorlent::filter {
// The part as the test's name gives it.
void PrintTo(FilterPart part, std::ostream *out)
{
    static const char *const names[] = {"Five",        "FrontFour", "BackFour", "FrontThree",
                                        "MiddleThree", "BackThree", "FrontTwo", "BackTwo"};
    *out << names[int(part)];
}
} // namespace quorlent::filter

INSTANTIATE_TEST_SUITE_P(Parts, FilterAgreement, ::testing::ValuesIn(kAllParts),
                         [](const auto &p) {
                             std::ostringstream name;
                             PrintTo(p.param, &name);
                             return name.str();
                         });
