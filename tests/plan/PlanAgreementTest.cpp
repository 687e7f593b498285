// Every source of a plan under every play against the obvious evaluation on random histories:
// the searches run again before every draw, the 缩水 engine built afresh on the draws before it,
// every value of the play asked whether it is a bet, every bet asked whether the draw wins it.

#include "Condition.h"
#include "FilterEngine.h"
#include "PlanRun.h"
#include "PlanTestHistory.h"
#include "SearchResult.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>

using namespace quorlent;
using namespace quorlent::plan;

namespace {

constexpr int kDraws = 2000;
constexpr int kRange = 800;

std::array<int, kPositions> digitsAt(const Play &play, const Digits &d)
{
    std::array<int, kPositions> out{};
    for (int i = 0; i < play.count; ++i)
        out[size_t(i)] = d[size_t(play.first + i)];
    return out;
}

// What the search proposes before draw t: its tally grid's first k rows, over the draws of the
// range before t, with the reference of the draw before t (or N before).
std::optional<Proposal> searchedBefore(const std::vector<HistoryRow> &rows, size_t begin, size_t t,
                                       const SearchSource &s)
{
    const size_t shift = s.request.previousDraw ? 1 : size_t(s.request.distance());
    if (t < shift || t == begin)
        return std::nullopt;
    SearchRequest r = s.request;
    const PositionValues &compared = rows[t - shift].own[r.kind];
    std::copy(compared.begin(), compared.end(), r.reference.begin());
    r.rangeStart = plantest::issueText(rows[begin]);
    r.rangeEnd = plantest::issueText(rows[t - 1]);
    const SearchResult found = s.search == BacktestRequest::Search::Follow
                                   ? runFollowSearch(rows, r, s.tally)
                                   : runCombinationSearch(rows, r, s.tally);
    if (found.hits.empty())
        return std::nullopt;
    uint16_t digits = 0;
    for (int i = 0; i < s.top; ++i) {
        for (int d = 0; d < 10; ++d) {
            if (codeOf(d, s.tally.resultKind, s.tally.segmentBase) ==
                found.tally.ranked()[size_t(i)].value)
                digits = uint16_t(digits | 1u << d);
        }
    }
    std::array<uint16_t, kPositions> masks;
    masks.fill(Proposal::kAllDigits);
    for (int p = s.tally.firstPosition(); p <= s.tally.lastPosition(); ++p)
        masks[size_t(p - 1)] = digits;
    return Proposal::ofDigits(masks);
}

Proposal schemeBefore(const std::vector<HistoryRow> &rows, size_t t, const SchemeSource &s)
{
    const std::vector<HistoryRow> before(rows.begin(), rows.begin() + ptrdiff_t(t));
    filter::FilterEngine engine(before);
    engine.setConditions(s.set);
    return Proposal::ofNumbers(filter::firstPosition(s.set.part), filter::digitCount(s.set.part),
                               s.set.selection == filter::Selection::Group,
                               engine.remainingValues());
}

// The play's bets of a proposal, by the plain reading of each: digits allowed at each position
// bet every value of the play they can form; numbers of a part bet what each number shows at the
// play's positions (in 组选 its digits in any order, every ordering of a 组选 number in 直选).
std::set<uint32_t> betsOf(const Proposal &p, const Play &play)
{
    std::set<uint32_t> bets;
    if (p.form == Proposal::Form::Typed) {
        for (const QString &t : p.tokens) {
            uint32_t v = play.kind == PlayKind::BigSmallOddEven
                             ? uint32_t(QStringLiteral("大小单双").indexOf(t))
                             : t.toUInt();
            bets.insert(play.isGroup() ? canonicalOf(v, play.count) : v);
        }
        return bets;
    }
    // The digits the proposal allows at a position.
    uint16_t atFirst = 0;
    if (p.form == Proposal::Form::Digits) {
        atFirst = p.masks[size_t(play.first)];
    } else {
        p.forEachNumber([&](uint32_t n) {
            atFirst = uint16_t(atFirst | 1u << digitsOf(n, p.count)[size_t(play.first - p.first)]);
        });
    }
    if (play.kind == PlayKind::BigSmallOddEven) {
        for (int a = 0; a < kAttributes; ++a) {
            bool all = atFirst != 0;
            for (int d = 0; d < 10; ++d)
                all = all && (!(atFirst >> d & 1) || hasAttribute(d, a));
            if (all)
                bets.insert(uint32_t(a));
        }
        return bets;
    }
    if (play.kind == PlayKind::Position) {
        for (int d = 0; d < 10; ++d) {
            if (atFirst >> d & 1)
                bets.insert(uint32_t(d));
        }
        return bets;
    }
    if (p.form == Proposal::Form::Digits) {
        for (uint32_t v = 0; v < play.valueSpace(); ++v) {
            auto d = digitsOf(v, play.count);
            if (play.isGroup() && !play.sells(v))
                continue;
            do {
                bool fits = true;
                for (int i = 0; i < play.count; ++i)
                    fits = fits && (p.masks[size_t(play.first + i)] >> d[size_t(i)] & 1);
                if (fits) {
                    bets.insert(v);
                    break;
                }
            } while (play.isGroup() && std::next_permutation(d.begin(), d.begin() + play.count));
        }
        return bets;
    }
    p.forEachNumber([&](uint32_t n) {
        const auto nd = digitsOf(n, p.count);
        std::array<int, kPositions> part{};
        for (int i = 0; i < play.count; ++i)
            part[size_t(i)] = nd[size_t(play.first - p.first + i)];
        if (play.isGroup()) {
            sortDigits(part, play.count);
            const uint32_t v = valueOf(std::span<const int>(part.data(), size_t(play.count)));
            if (play.sells(v))
                bets.insert(v);
            return;
        }
        sortDigits(part, p.group ? play.count : 0);
        do {
            bets.insert(valueOf(std::span<const int>(part.data(), size_t(play.count))));
        } while (p.group && std::next_permutation(part.begin(), part.begin() + play.count));
    });
    return bets;
}

uint32_t winsOf(const std::set<uint32_t> &bets, const Play &play, const Digits &draw)
{
    uint32_t wins = 0;
    auto d = digitsAt(play, draw);
    if (play.isGroup())
        sortDigits(d, play.count);
    for (uint32_t b : bets) {
        if (play.kind == PlayKind::BigSmallOddEven)
            wins += hasAttribute(d[0], int(b));
        else
            wins += b == valueOf(std::span<const int>(d.data(), size_t(play.count)));
    }
    return wins;
}

bool dependsOnEarlier(const SchemeSource &s)
{
    return std::any_of(
        s.set.conditions.begin(), s.set.conditions.end(),
        [](const filter::Condition &c) { return filter::dependsOnEarlierDraws(c.kind); });
}

struct Source
{
    const char *what;
    PlanDefinition plan;
};

std::vector<Source> sources(std::mt19937 &rng)
{
    PlanDefinition base = PlanDefinition::defaults(Game::standard());
    base.range = PlanRange::latest(kRange);
    base.progression = Progression::doubling(1, 16);
    base.startBalance = 500 * kCentsPerYuan;
    std::vector<Source> list;

    PlanDefinition follow = base;
    follow.source = SourceKind::Search;
    follow.search.request.selected = {true, false, true, false, false};
    follow.search.tally.position = 3;
    follow.search.top = 3;
    list.push_back({"跟随检索 直选", follow});

    PlanDefinition combination = base;
    combination.source = SourceKind::Search;
    combination.search.search = BacktestRequest::Search::Combination;
    combination.search.request.freePositions = true;
    combination.search.request.kind = Kind::BigSmall;
    combination.search.request.combinationWidth = 3;
    combination.search.tally = {true, 2, Kind::Number, 1};
    combination.search.top = 2;
    list.push_back({"组合检索 组选", combination});

    PlanDefinition bigSmall = follow;
    bigSmall.search.request.previousDraw = false;
    bigSmall.search.request.earlierDistance = 2;
    bigSmall.search.tally = {false, 5, Kind::BigSmall, 1};
    bigSmall.search.top = 1;
    list.push_back({"检索 大小", bigSmall});

    PlanDefinition constant = base;
    constant.source = SourceKind::Scheme;
    constant.scheme.set.conditions = {filter::conditionOf(filter::ConditionKind::Sum, "18-26"),
                                      filter::conditionOf(filter::ConditionKind::Span, "6-9")};
    list.push_back({"缩水 五星", constant});

    PlanDefinition dependent = base;
    dependent.source = SourceKind::Scheme;
    dependent.scheme.set.part = filter::FilterPart::FrontThree;
    filter::Condition cold = filter::conditionOf(filter::ConditionKind::Cold, "0-1");
    cold.threshold = 12;
    dependent.scheme.set.conditions = {filter::conditionOf(filter::ConditionKind::Repeat, "0-1"),
                                       cold};
    list.push_back({"缩水 前三 重号 冷号", dependent});

    PlanDefinition digits = base;
    digits.source = SourceKind::Digits;
    digits.digits.killedEverywhere = 0b1;
    digits.digits.killed[0] = 1u << 9;
    digits.digits.required[4] = 0b101010;
    list.push_back({"杀号定胆", digits});

    PlanDefinition typed = base;
    typed.source = SourceKind::Typed;
    for (int i = 0; i < 30; ++i)
        typed.typed.text += QStringLiteral("%1 ").arg(rng() % 100000, 5, 10, QLatin1Char('0'));
    list.push_back({"守号", typed});
    return list;
}

// One test per source, each under every play: the naive search and engine are slow enough under
// the sanitizers to want a test's time limit each.
class PlanAgreement : public ::testing::TestWithParam<int>
{
};

TEST_P(PlanAgreement, EveryPlayAgainstTheNaiveLedger)
{
    std::mt19937 rng(2024);
    const std::vector<HistoryRow> rows = plantest::randomPlanRows(rng, kDraws);
    const size_t begin = rows.size() - kRange;
    {
        const Source source = sources(rng).at(size_t(GetParam()));
        SCOPED_TRACE(source.what);
        // The proposals the obvious way, before each draw of the range and for the one to come.
        // One object per different proposal where the source keeps it (the same numbers before
        // every draw), so that its bets are worked out once.
        std::vector<std::shared_ptr<const Proposal>> proposed;
        auto shared = [](std::optional<Proposal> p) {
            return p ? std::make_shared<const Proposal>(std::move(*p)) : nullptr;
        };
        for (size_t t = begin; t <= rows.size(); ++t) {
            const PlanDefinition &d = source.plan;
            if (d.source == SourceKind::Search)
                proposed.push_back(shared(searchedBefore(rows, begin, t, d.search)));
            else if (d.source == SourceKind::Scheme &&
                     (dependsOnEarlier(d.scheme) || (t - begin) % 250 == 0 || t == rows.size()))
                proposed.push_back(shared(schemeBefore(rows, t, d.scheme)));
            else if (d.source == SourceKind::Scheme)
                proposed.push_back(proposed.back()); // the same numbers before every draw
            else if (d.source == SourceKind::Digits)
                proposed.push_back(shared(Proposal::ofDigits(d.digits.allowed())));
        }
        for (const Play &play : plays()) {
            SCOPED_TRACE(play.id);
            PlanDefinition plan = source.plan;
            plan.play = QLatin1String(play.id);
            if (plan.source == SourceKind::Typed) {
                // Each typed number cut to the play's digits (a code for 大小单双).
                QStringList cut;
                for (const QString &n : source.plan.typed.tokens()) {
                    const uint32_t v = n.mid(play.first, play.count).toUInt();
                    if (play.kind == PlayKind::BigSmallOddEven)
                        cut << attributeName(int(v % kAttributes));
                    else if (!play.isGroup() || play.sells(canonicalOf(v, play.count)))
                        cut << n.mid(play.first, play.count);
                }
                plan.typed.text = cut.join(QLatin1Char('\n'));
                proposed.assign(kRange + 1, shared(Proposal::ofTokens(plan.typed.tokens())));
            }
            const PlanRun run = runPlan(rows, Game::standard(), plan);
            const bool fits = plan.source != SourceKind::Scheme ||
                              plan.scheme.set.part == filter::FilterPart::Five ||
                              play.first + play.count <= 3;
            if (!fits) {
                ASSERT_FALSE(run.ok());
                EXPECT_EQ(run.errors.at(0).field, QStringLiteral("玩法"));
                continue;
            }
            ASSERT_TRUE(run.ok()) << run.errors.at(0).text().toStdString();
            const Ledger &ledger = *run.ledger;
            ASSERT_EQ(ledger.rowCount(), size_t(kRange));

            // Each proposal's bets worked out once: digits by the digits, numbers by the object.
            std::map<std::pair<uint64_t, const Proposal *>, std::set<uint32_t>> betsByProposal;
            auto betsAt = [&](size_t r) -> const std::set<uint32_t> & {
                const Proposal &p = *proposed[r];
                uint64_t masks = 0;
                for (uint16_t m : p.masks)
                    masks = masks << 10 | m;
                const auto key = p.form == Proposal::Form::Digits ? std::make_pair(masks, nullptr)
                                                                  : std::make_pair(uint64_t(0), &p);
                const auto known = betsByProposal.find(key);
                if (known != betsByProposal.end())
                    return known->second;
                return betsByProposal[key] = betsOf(p, play);
            };
            const PrizeTable &prizes = plan.prizes;
            Money balance = plan.startBalance;
            int state = 0;
            int64_t wins = 0, longestMisses = 0, misses = 0, firstShort = -1;
            for (size_t r = 0; r < size_t(kRange); ++r) {
                SCOPED_TRACE(r);
                const Digits &draw = rows[begin + r].digits();
                if (!proposed[r]) {
                    ASSERT_EQ(ledger.status(r), Ledger::Status::NoProposal);
                    continue;
                }
                const std::set<uint32_t> &bets = betsAt(r);
                ASSERT_EQ(ledger.betCount(r), bets.size());
                if (bets.empty()) {
                    ASSERT_EQ(ledger.status(r), Ledger::Status::NoBet);
                    continue;
                }
                const uint32_t won = winsOf(bets, play, draw);
                ASSERT_EQ(ledger.wins(r), won);
                const int64_t m = plan.progression.multiplier(state);
                ASSERT_EQ(ledger.multiplier(r), m);
                const Money cost = Money(bets.size()) * prizes.price * m;
                if (firstShort < 0 && balance < cost)
                    firstShort = int64_t(r);
                auto d = digitsAt(play, draw);
                sortDigits(d, play.count);
                const bool sixShape = play.count == 3 && d[0] != d[1] && d[1] != d[2];
                const PrizeLine line = play.kind == PlayKind::Group && sixShape
                                           ? PrizeLine(int(play.line) + 1)
                                           : play.line;
                ASSERT_EQ(ledger.prize(r), Money(won) * prizes.prize(line) * m);
                balance += Money(won) * prizes.prize(line) * m - cost;
                ASSERT_EQ(ledger.balance(r), balance);
                state = won ? 0 : plan.progression.afterMiss(state);
                wins += won > 0;
                misses = won ? 0 : misses + 1;
                longestMisses = std::max(longestMisses, misses);
            }
            const LedgerSummary &s = ledger.summary();
            EXPECT_EQ(s.wins, wins);
            EXPECT_EQ(s.longestMisses, longestMisses);
            EXPECT_EQ(s.finalBalance, balance);
            EXPECT_EQ(s.firstShort, firstShort);
            // The numbers for the draw to come.
            const BetSet *next = ledger.nextBets();
            ASSERT_EQ(next != nullptr, proposed[kRange] != nullptr);
            if (next) {
                const std::set<uint32_t> bets = betsOf(*proposed[kRange], play);
                EXPECT_EQ(next->values(), std::vector<uint32_t>(bets.begin(), bets.end()));
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EverySource, PlanAgreement, ::testing::Range(0, 7));

} // namespace
