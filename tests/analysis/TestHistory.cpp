#include "TestHistory.h"

#include "CombinationSearch.h"
#include "FollowSearch.h"
#include "Game.h"
#include "HitListModel.h"
#include "TallyModel.h"

#include <gtest/gtest.h>

namespace quorlent::testing {

namespace {

// The original game: these draws are numbered by its issues.
constexpr Game kGame = Game::standard();

} // namespace

std::vector<DrawRecord> recordsOf(std::initializer_list<Digits> draws, int segmentBase,
                                  int32_t firstIssue)
{
    DrawRun run;
    std::vector<DrawRecord> records;
    int32_t sqqh = firstIssue;
    for (const Digits &digits : draws) {
        records.push_back(run.append(sqqh, digits, segmentBase));
        sqqh = kGame.next(sqqh, QDate());
    }
    return records;
}

std::vector<HistoryRow> rowsOf(const std::vector<DrawRecord> &records)
{
    std::vector<HistoryRow> rows;
    for (const DrawRecord &record : records)
        rows.push_back(HistoryRow::fromRecord(record));
    return rows;
}

SearchRequest wholeHistory()
{
    SearchRequest request;
    request.rangeStart = QStringLiteral("20000000000");
    request.rangeEnd = QStringLiteral("20999999999");
    return request;
}

ScratchDb::ScratchDb(const std::vector<DrawRecord> &records)
{
    m_db = HistoryDb::openOrCreate(m_dir.filePath(QStringLiteral("Varnibo.mdb"))).db;
    if (!m_db)
        return;
    // Scratch files need no durability; the statements behave the same.
    m_db->sql().exec("PRAGMA synchronous=OFF; PRAGMA journal_mode=MEMORY");
    if (!m_db->append(records))
        m_db.reset();
}

std::vector<int32_t> issuesOf(const std::vector<HistoryRow> &rows,
                              const std::vector<uint32_t> &hits)
{
    std::vector<int32_t> issues;
    for (uint32_t hit : hits)
        issues.push_back(rows[hit].sqqh);
    return issues;
}

std::vector<int32_t> followHits(const std::vector<DrawRecord> &records,
                                const SearchRequest &request)
{
    const std::vector<HistoryRow> rows = rowsOf(records);
    const std::vector<int32_t> fast = issuesOf(rows, followSearch(rows, request));
    ScratchDb scratch(records);
    EXPECT_TRUE(scratch.isOpen());
    if (scratch.isOpen()) {
        const literal::Outcome slow =
            literal::LiteralSearch(scratch.db().sql()).follow(request, TallyOptions{});
        EXPECT_EQ(fast, slow.hitIssues) << "in memory vs statements";
        EXPECT_EQ(slow.failedStatements, 0);
    }
    return fast;
}

std::vector<int32_t> combinationHits(const std::vector<DrawRecord> &records,
                                     const SearchRequest &request)
{
    const std::vector<HistoryRow> rows = rowsOf(records);
    const std::vector<int32_t> fast = issuesOf(rows, combinationSearch(rows, request));
    ScratchDb scratch(records);
    EXPECT_TRUE(scratch.isOpen());
    if (scratch.isOpen()) {
        const literal::Outcome slow =
            literal::LiteralSearch(scratch.db().sql()).combination(request, TallyOptions{});
        EXPECT_EQ(fast, slow.hitIssues) << "in memory vs statements";
        EXPECT_EQ(slow.failedStatements, 0);
    }
    return fast;
}

void expectSameOutcome(const std::vector<HistoryRow> &rows, const SearchResult &fast,
                       const literal::Outcome &slow)
{
    EXPECT_EQ(slow.failedStatements, 0);
    EXPECT_EQ(fast.rangeValid, slow.rangeFormed);
    EXPECT_EQ(issuesOf(rows, fast.hits), slow.hitIssues);

    HitListModel hitList;
    hitList.setResult(rows, fast);
    for (int c = 0; c < HitListLayout::ColumnCount; ++c)
        EXPECT_EQ(hitList.headerData(c, Qt::Horizontal).toString(), slow.hitHeader[c]) << c;
    EXPECT_EQ(hitList.columnCount(), 7);
    EXPECT_EQ(hitList.rowCount(), static_cast<int>(slow.hitList.size()));
    const int lines = std::min(hitList.rowCount(), static_cast<int>(slow.hitList.size()));
    for (int line = 0; line < lines; ++line) {
        for (int c = 0; c < HitListLayout::ColumnCount; ++c) {
            EXPECT_EQ(hitList.data(hitList.index(line, c)).toString(), slow.hitList[line][c])
                << "hit list line " << line << " column " << c;
        }
    }

    EXPECT_EQ(fast.tally.carcuRows(), slow.carcu);
    TallyModel tally;
    tally.setTally(fast.tally);
    EXPECT_EQ(tally.rowCount(), static_cast<int>(slow.ranking.size()));
    const int ranks = std::min(tally.rowCount(), static_cast<int>(slow.ranking.size()));
    for (int line = 0; line < ranks; ++line) {
        for (int c = 0; c < TallyModel::ColumnCount; ++c) {
            EXPECT_EQ(tally.data(tally.index(line, c)).toString(), slow.ranking[line][c])
                << "tally line " << line << " column " << c;
        }
    }
}

SearchResult followBothWays(const std::vector<DrawRecord> &records, const SearchRequest &request,
                            const TallyOptions &options)
{
    const std::vector<HistoryRow> rows = rowsOf(records);
    SearchResult fast = runFollowSearch(rows, request, options);
    ScratchDb scratch(records);
    EXPECT_TRUE(scratch.isOpen());
    if (scratch.isOpen())
        expectSameOutcome(rows, fast,
                          literal::LiteralSearch(scratch.db().sql()).follow(request, options));
    return fast;
}

SearchResult combinationBothWays(const std::vector<DrawRecord> &records,
                                 const SearchRequest &request, const TallyOptions &options)
{
    const std::vector<HistoryRow> rows = rowsOf(records);
    SearchResult fast = runCombinationSearch(rows, request, options);
    ScratchDb scratch(records);
    EXPECT_TRUE(scratch.isOpen());
    if (scratch.isOpen())
        expectSameOutcome(rows, fast,
                          literal::LiteralSearch(scratch.db().sql()).combination(request, options));
    return fast;
}

namespace {

Digits randomDigits(std::mt19937 &rng)
{
    // Now and then from a few digits only, so that repeated values are common.
    const int alphabet = std::uniform_int_distribution<int>(0, 2)(rng) == 0 ? 3 : 10;
    std::uniform_int_distribution<int> digit(0, alphabet - 1);
    Digits digits{};
    for (uint8_t &d : digits)
        d = static_cast<uint8_t>(digit(rng));
    return digits;
}

} // namespace

std::vector<DrawRecord> randomRecords(std::mt19937 &rng, int length)
{
    std::uniform_int_distribution<int> percent(0, 99);
    const int32_t firstDays[] = {160908, 161231, 51231, 90228, 200229};
    int32_t sqqh = firstDays[std::uniform_int_distribution<int>(0, 4)(rng)] * 1000 +
                   std::uniform_int_distribution<int>(1, 120)(rng);

    std::vector<DrawRecord> records;
    while (static_cast<int>(records.size()) < length) {
        const int base = std::uniform_int_distribution<int>(0, 1)(rng);
        const int start = percent(rng);
        DrawRun run;
        const DrawCodes unstoredBefore = DrawCodes::fromDigits(randomDigits(rng), base);
        const DrawCodes unstoredLast = DrawCodes::fromDigits(randomDigits(rng), base);
        if (!records.empty() && start < 70) {
            // Continues after the stored rows, as every writer does.
            const size_t n = records.size();
            run = DrawRun(n >= 2 ? &records[n - 2].own : nullptr, &records[n - 1].own);
        } else if (start < 85) {
            // After draws that were never stored (or deleted since).
            run = DrawRun(percent(rng) < 50 ? &unstoredBefore : nullptr, &unstoredLast);
        }
        const int runLength = std::uniform_int_distribution<int>(1, std::max(1, length))(rng);
        for (int i = 0; i < runLength && static_cast<int>(records.size()) < length; ++i) {
            records.push_back(run.append(sqqh, randomDigits(rng), base));
            sqqh = kGame.next(sqqh, QDate());
            if (percent(rng) < 10) // a gap of a few issues
                sqqh += std::uniform_int_distribution<int>(1, 3)(rng);
            if (kGame.sequence(sqqh) > kGame.drawsPerDay())
                sqqh =
                    kGame.next(kGame.issueOfDay(kGame.dateOf(sqqh), kGame.drawsPerDay()), QDate());
        }
    }
    return records;
}

} // namespace quorlent::testing
