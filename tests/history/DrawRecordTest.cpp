#include "DrawRecord.h"

#include <gtest/gtest.h>

using namespace quorlent;

TEST(DrawCodesTest, CodesOfEveryDigit)
{
    const int big[10] = {0, 0, 0, 0, 0, 1, 1, 1, 1, 1};
    const int odd[10] = {0, 1, 0, 1, 0, 1, 0, 1, 0, 1};
    for (int d = 0; d < 10; ++d) {
        EXPECT_EQ(codeOf(d, Kind::Number, 1), d);
        EXPECT_EQ(codeOf(d, Kind::BigSmall, 1), big[d]) << d;
        EXPECT_EQ(codeOf(d, Kind::OddEven, 1), odd[d]) << d;
        EXPECT_EQ(codeOf(d, Kind::Segment, 0), d / 2) << d;
        EXPECT_EQ(codeOf(d, Kind::Segment, 1), d / 2 + 1) << d;
    }
}

TEST(DrawCodesTest, OccurrenceTokensCountRepeatsInPositionOrder)
{
    const DrawCodes codes = DrawCodes::fromDigits({3, 1, 3, 3, 0}, 1);
    EXPECT_EQ(occurrenceTokens(codes[Kind::Number]), "1X3 1X1 2X3 3X3 1X0 ");
    EXPECT_EQ(occurrenceTokens(codes[Kind::BigSmall]), "1X0 2X0 3X0 4X0 5X0 ");
    EXPECT_EQ(occurrenceTokens(codes[Kind::OddEven]), "1X1 2X1 3X1 4X1 1X0 ");
    EXPECT_EQ(occurrenceTokens(codes[Kind::Segment]), "1X2 1X1 2X2 3X2 2X1 ");
    EXPECT_EQ(occurrenceTokens(DrawCodes::fromDigits({7, 7, 7, 7, 7}, 1)[Kind::Number]),
              "1X7 2X7 3X7 4X7 5X7 ");
    EXPECT_EQ(digitText({3, 1, 3, 3, 0}), "31330");
}

TEST(DrawRunTest, CarriesThePreviousTwoDrawsAcrossARun)
{
    DrawRun run;
    const DrawRecord first = run.append(160908076, {3, 1, 3, 3, 0}, 1);
    const DrawRecord second = run.append(160908077, {9, 8, 7, 6, 5}, 1);
    const DrawRecord third = run.append(160908078, {0, 0, 1, 2, 4}, 1);

    EXPECT_EQ(first.qqh(), 160908077);
    EXPECT_TRUE(first.previousTexts.empty());
    EXPECT_EQ(first.previous, DrawCodes{});
    EXPECT_EQ(first.earlier, DrawCodes{});

    EXPECT_EQ(second.previous, first.own);
    EXPECT_EQ(second.earlier, DrawCodes{});
    EXPECT_EQ(second.previousTexts.digits, "31330");

    EXPECT_EQ(third.previous, second.own);
    EXPECT_EQ(third.earlier, first.own);
    EXPECT_EQ(third.previousTexts.digits, "98765");
    EXPECT_EQ(third.previousTexts.tokens[int(Kind::BigSmall)], "1X1 2X1 3X1 4X1 5X1 ");
    // Only the rebuild writes the earlier-draw texts.
    EXPECT_TRUE(third.earlierTexts.empty());
}

TEST(DrawRunTest, ContinuesAfterStoredRowsAndKeepsTheirSegmentBase)
{
    const DrawCodes older = DrawCodes::fromDigits({1, 1, 1, 1, 1}, 0);
    const DrawCodes newest = DrawCodes::fromDigits({9, 9, 9, 9, 9}, 0);
    DrawRun run(&older, &newest);
    run.setFillEarlierTexts(true);
    const DrawRecord next = run.append(160908120, {2, 2, 2, 2, 2}, 1);
    EXPECT_EQ(next.previous[Kind::Segment][0], 4); // written with base 0
    EXPECT_EQ(next.own[Kind::Segment][0], 2);
    EXPECT_EQ(next.previousTexts.tokens[int(Kind::Segment)], "1X4 2X4 3X4 4X4 5X4 ");
    EXPECT_EQ(next.earlierTexts.digits, "11111");
}
