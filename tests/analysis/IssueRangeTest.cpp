#include "IssueRange.h"
#include "SearchResult.h"
#include "TestHistory.h"

#include <gtest/gtest.h>

using namespace quorlent;
using namespace quorlent::testing;

namespace {

// Ten draws, 2016-09-08 115 to 2016-09-09 004, with the digits 1 1 1 1 1 .. 0 0 0 0 0.
std::vector<DrawRecord> tenDraws()
{
    return recordsOf({{1, 1, 1, 1, 1},
                      {2, 2, 2, 2, 2},
                      {3, 3, 3, 3, 3},
                      {4, 4, 4, 4, 4},
                      {5, 5, 5, 5, 5},
                      {6, 6, 6, 6, 6},
                      {7, 7, 7, 7, 7},
                      {8, 8, 8, 8, 8},
                      {9, 9, 9, 9, 9},
                      {0, 0, 0, 0, 0}},
                     1, 160908115);
}

std::vector<int32_t> hitsWithin(const QString &start, const QString &end, bool combination)
{
    SearchRequest request = wholeHistory();
    request.rangeStart = start;
    request.rangeEnd = end;
    request.combinationWidth = 1;
    request.reference = {1, 2, 3, 4, 5}; // combination search: any draw of 1..5 before
    const TallyOptions tally{false, 1, Kind::Number, 1};
    const SearchResult result = combination ? combinationBothWays(tenDraws(), request, tally)
                                            : followBothWays(tenDraws(), request, tally);
    return issuesOf(rowsOf(tenDraws()), result.hits);
}

} // namespace

TEST(IssueRangeTest, RangesThatCutTheHistory)
{
    EXPECT_EQ(hitsWithin("20160908118", "20160909002", false),
              (std::vector<int32_t>{160908118, 160908119, 160908120, 160909001, 160909002}));
    // Both ends count; issues between stored ones are fine as ends.
    EXPECT_EQ(hitsWithin("20160908119", "20160908119", false), (std::vector<int32_t>{160908119}));
    EXPECT_EQ(hitsWithin("20160908000", "20160908116", false),
              (std::vector<int32_t>{160908115, 160908116}));
    EXPECT_EQ(hitsWithin("20160909003", "20991231120", false),
              (std::vector<int32_t>{160909003, 160909004}));
    // The combination search takes the same range: rows after 1..5 only.
    EXPECT_EQ(hitsWithin("20160908118", "20160909005", true),
              (std::vector<int32_t>{160908118, 160908119, 160908120}));
    // Reversed, or outside the history: nothing.
    EXPECT_TRUE(hitsWithin("20160909002", "20160908118", false).empty());
    EXPECT_TRUE(hitsWithin("20170101001", "20170101120", false).empty());
}

TEST(IssueRangeTest, OnlyTheLastNineCharactersCount)
{
    EXPECT_EQ(hitsWithin("99160909003", "xx160909004", false),
              (std::vector<int32_t>{160909003, 160909004}));
    EXPECT_EQ(hitsWithin(" 20160909004 ", "160909004", false), (std::vector<int32_t>{160909004}));
    // A short text is a small number: everything from the start of time.
    EXPECT_EQ(hitsWithin("1", "20160908116", false), (std::vector<int32_t>{160908115, 160908116}));
}

TEST(IssueRangeTest, BoxesThatCannotBeReadGiveNoHitsAndAnEmptyTally)
{
    const std::pair<QString, QString> unreadable[] = {
        {"", "20160909005"},
        {"20160908115", ""},
        {"2016090811x", "20160909005"},
        {"20160908115", "201609-9005"},
        {"abc", "def"},
        {"２０１６０９０８１１５", "20160909005"},
    };
    for (bool combination : {false, true}) {
        for (const auto &[start, end] : unreadable) {
            SearchRequest request = wholeHistory();
            request.rangeStart = start;
            request.rangeEnd = end;
            request.combinationWidth = 1;
            const TallyOptions tally{true, 5, Kind::Number, 1};
            const SearchResult result = combination
                                            ? combinationBothWays(tenDraws(), request, tally)
                                            : followBothWays(tenDraws(), request, tally);
            EXPECT_FALSE(result.rangeValid) << start.toStdString() << " " << end.toStdString();
            EXPECT_TRUE(result.hits.empty());
            EXPECT_EQ(result.tally.total(), 0);
            for (const TallyEntry &entry : result.tally.byValue())
                EXPECT_EQ(entry.count, 0);
            EXPECT_EQ(result.tally.percentText(0), "0.000%");
        }
    }
}
