// The texts the window shows and copies: the remaining numbers, the result line, the verdicts.
#include "FilterSummary.h"
#include "RemainingText.h"

#include <gtest/gtest.h>

using namespace quorlent;
using namespace quorlent::filter;

TEST(FilterText, RemainingNumbersKeepTheirLeadingZeros)
{
    EXPECT_EQ(remainingText({7, 123, 99999}, 5, TextLayout::Blanks).toStdString(),
              "00007 00123 99999");
    EXPECT_EQ(remainingText({5, 12}, 2, TextLayout::Lines).toStdString(), "05\n12");
    EXPECT_TRUE(remainingText({}, 3, TextLayout::Blanks).isEmpty());
}

TEST(FilterText, ResultLineNamesWhatRemovesMost)
{
    std::vector<HistoryRow> rows;
    FilterEngine engine(rows);
    ConditionSet set{FilterPart::FrontTwo, Selection::Direct, {}};
    for (const char *sums : {"0-9", "17-18", "0-2"}) {
        Condition c;
        c.values = QString::fromUtf8(sums);
        set.conditions.push_back(c);
    }
    engine.setConditions(set);
    // 17-18 keeps 89 98 99 alone; 0-2 keeps six numbers, and is the smaller share when 17-18 is
    // switched off.
    EXPECT_EQ(resultText(engine.counts(), set).toStdString(),
              "没有号码满足全部条件；去掉最多的是第 2 条「和值」，它单独只保留 3.00%");
    set.conditions[1].enabled = false;
    engine.setConditions(set);
    EXPECT_EQ(resultText(engine.counts(), set).toStdString(), "剩余 6 注，占全部 100 注的 6.00%");
    set.selection = Selection::Group;
    engine.setConditions(set);
    EXPECT_EQ(resultText(engine.counts(), set).toStdString(), "剩余 4 组（6 注），占全部的 6.00%");
}

TEST(FilterText, VerdictsAtTheLevel)
{
    // 30 passes in 100 draws against 0.5: far below; 50 of 100: as expected.
    const Record low = Record::of(100, 30, 0.5);
    EXPECT_TRUE(low.significant());
    EXPECT_EQ(recordVerdict(low).toStdString(), "显著偏离随机（p < 0.001）");
    EXPECT_DOUBLE_EQ(*low.ratio(), 0.6);
    const Record even = Record::of(100, 50, 0.5);
    EXPECT_EQ(recordVerdict(even).toStdString(), "与随机无显著差异");
    // 40 of 100: p a little above 0.05.
    EXPECT_EQ(recordVerdict(Record::of(100, 40, 0.5)).toStdString(), "与随机无显著差异");
    EXPECT_EQ(recordVerdict(Record::of(100, 39, 0.5)).toStdString(), "显著偏离随机（p = 0.035）");
    EXPECT_EQ(recordVerdict(Record::of(0, 0, 0.5)).toStdString(), "没有开奖可供检验");
    EXPECT_EQ(recordVerdict(Record::pendingOf(10, 3)).toStdString(), "正在计算期望占比…");
    EXPECT_FALSE(Record::of(10, 0, 0.0).ratio());
    EXPECT_EQ(Record::of(10, 0, 0.0).pValue, 1.0);
}

TEST(FilterText, SharesRoundAsOnPaperAndSmallOnesKeepTheirDigits)
{
    // 3575 of 100000: binary floating point holds 3.5749999…; the decimal value rounds up.
    EXPECT_EQ(formatShare(3575.0 / 100000).toStdString(), "3.58%");
    EXPECT_EQ(formatShare(0.12345).toStdString(), "12.35%");
    EXPECT_EQ(formatShare(0.99995).toStdString(), "100.00%");
    EXPECT_EQ(formatShare(0.0001).toStdString(), "0.01%");
    // Below 0.01 %: two significant digits, no trailing zero.
    EXPECT_EQ(formatShare(1.0 / 100000).toStdString(), "0.001%");
    EXPECT_EQ(formatShare(0.0000123).toStdString(), "0.0012%");
    EXPECT_EQ(formatShare(0.00000995).toStdString(), "0.001%");
    EXPECT_EQ(formatShare(0.0).toStdString(), "0.00%");
    EXPECT_EQ(formatShare(1.0).toStdString(), "100.00%");
}
