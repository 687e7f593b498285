#include "Game.h"
#include "LiteralSearch.h"
#include "SearchResult.h"
#include "TestHistory.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace quorlent;
using namespace quorlent::testing;

namespace {

// The original game: these draws are numbered by its issues.
constexpr Game kGame = Game::standard();

int pick(std::mt19937 &rng, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(rng);
}

bool chance(std::mt19937 &rng, int percent)
{
    return pick(rng, 0, 99) < percent;
}

QString randomIssueText(std::mt19937 &rng, const std::vector<HistoryRow> &rows)
{
    if (rows.empty() || chance(rng, 15))
        return kGame.displayForm(pick(rng, 0, 1) ? 991231120 : pick(rng, 0, 170000000));
    // A stored issue, or one just beside it.
    return kGame.displayForm(rows[static_cast<size_t>(pick(rng, 0, int(rows.size()) - 1))].sqqh +
                             pick(rng, -1, 1) * chance(rng, 20));
}

void randomRange(std::mt19937 &rng, const std::vector<HistoryRow> &rows, SearchRequest &request)
{
    const int mode = pick(rng, 0, 99);
    if (mode < 60) {
        QString a = randomIssueText(rng, rows);
        QString b = randomIssueText(rng, rows);
        if ((a > b) != chance(rng, 10)) // now and then reversed
            std::swap(a, b);
        request.rangeStart = a;
        request.rangeEnd = b;
    } else if (mode < 78) {
        request.rangeStart = QStringLiteral("20000000000");
        request.rangeEnd = QStringLiteral("20999999999");
    } else if (mode < 90) {
        const QString unreadable[] = {"", "  ", "abc", "2016090811x", "20-60908115", "２０１６"};
        const QString bad = unreadable[pick(rng, 0, 5)];
        request.rangeStart = chance(rng, 50) ? bad : randomIssueText(rng, rows);
        request.rangeEnd = request.rangeStart == bad ? randomIssueText(rng, rows) : bad;
    } else {
        // Short texts: small numbers.
        request.rangeStart = QString::number(pick(rng, 0, 99));
        request.rangeEnd =
            chance(rng, 50) ? QString::number(pick(rng, 0, 999999999)) : randomIssueText(rng, rows);
    }
}

SearchRequest randomRequest(std::mt19937 &rng, const std::vector<HistoryRow> &rows)
{
    SearchRequest request;
    request.freePositions = chance(rng, 50);
    request.previousDraw = chance(rng, 50);
    request.earlierDistance = chance(rng, 5) ? pick(rng, -2, 0) : pick(rng, 1, 9);
    request.kind = static_cast<Kind>(pick(rng, 0, 3));
    const int counterSlots = kindValueCount(request.kind);

    // Mostly a stored draw, as the window's reference refresh takes one, then a few typed changes.
    const bool fromRow = !rows.empty() && chance(rng, 80);
    const PositionValues source =
        fromRow ? rows[static_cast<size_t>(pick(rng, 0, int(rows.size()) - 1))].own[request.kind]
                : PositionValues{};
    const int outside[] = {-1, -7, counterSlots, 7, 10, 12, 99};
    for (int p = 0; p < kPositions; ++p) {
        int v = fromRow ? source[p] : pick(rng, 0, counterSlots - 1);
        if (chance(rng, 10))
            v = pick(rng, 0, counterSlots - 1);
        if (chance(rng, 6))
            v = outside[pick(rng, 0, 6)];
        request.reference[p] = v;
        request.selected[p] = chance(rng, 50);
    }
    const int widths[] = {0, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 5, 5, 6, 7};
    request.combinationWidth = widths[pick(rng, 0, 14)];
    randomRange(rng, rows, request);
    return request;
}

TallyOptions randomOptions(std::mt19937 &rng)
{
    return {chance(rng, 50), pick(rng, 1, 5), static_cast<Kind>(pick(rng, 0, 3)), pick(rng, 0, 1)};
}

std::string describe(bool combination, const SearchRequest &r, const TallyOptions &o, size_t rows)
{
    std::ostringstream os;
    os << (combination ? "combination" : "follow") << " rows=" << rows
       << (r.freePositions ? " free" : " fixed") << (r.previousDraw ? " previous" : " earlier N=")
       << (r.previousDraw ? "" : std::to_string(r.earlierDistance)) << " kind=" << int(r.kind)
       << " reference=";
    for (int p = 0; p < kPositions; ++p)
        os << r.reference[p] << (r.selected[p] ? "*" : "") << (p < 4 ? "," : "");
    os << " k=" << r.combinationWidth << " range=[" << r.rangeStart.toStdString() << "|"
       << r.rangeEnd.toStdString() << "] tally=" << (o.groupSelection ? "group " : "direct ")
       << o.position << " kind=" << int(o.resultKind) << " base=" << o.segmentBase;
    return os.str();
}

unsigned seedFromEnvironment()
{
    const QByteArray text = qgetenv("QUORLENT_TEST_SEED");
    return text.isEmpty() ? 20160908u : text.toUInt();
}

} // namespace

// Many small histories, each searched several times in a row on the same database (so the
// columns left by one search meet the next), with random options of every kind.
TEST(LiteralAgreementTest, RandomHistoriesAgreeWithTheStatements)
{
    const unsigned seed = seedFromEnvironment();
    SCOPED_TRACE("QUORLENT_TEST_SEED=" + std::to_string(seed));
    std::mt19937 rng(seed);
    int searches = 0, withHits = 0, withoutHits = 0;
    for (int history = 0; history < 150; ++history) {
        const std::vector<DrawRecord> records = randomRecords(rng, pick(rng, 0, 60));
        ScratchDb scratch(records);
        ASSERT_TRUE(scratch.isOpen());
        const std::vector<HistoryRow> rows = scratch.db().loadRows();
        literal::LiteralSearch statements(scratch.db().sql());
        for (int run = 0; run < 8; ++run) {
            const bool combination = chance(rng, 50);
            const SearchRequest request = randomRequest(rng, rows);
            const TallyOptions options = randomOptions(rng);
            SCOPED_TRACE(describe(combination, request, options, rows.size()));
            const SearchResult fast = combination ? runCombinationSearch(rows, request, options)
                                                  : runFollowSearch(rows, request, options);
            const literal::Outcome slow = combination ? statements.combination(request, options)
                                                      : statements.follow(request, options);
            expectSameOutcome(rows, fast, slow);
            if (HasFailure())
                return;
            ++searches;
            (fast.hits.empty() ? withoutHits : withHits) += 1;
        }
    }
    // The generator must keep producing both outcomes, or the comparison proves little.
    EXPECT_GT(withHits, searches / 4);
    EXPECT_GT(withoutHits, searches / 10);
}
