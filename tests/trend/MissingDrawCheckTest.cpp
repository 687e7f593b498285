#include "MissingDrawCheck.h"

#include <gtest/gtest.h>

using namespace quorlent;
using namespace quorlent::trend;

namespace {

using MissingRun = MissingDrawReport::Run;
using Days = MissingDrawReport::ShortDays;
using Bad = MissingDrawReport::Impossible;

MissingDrawReport check(std::vector<int32_t> issues)
{
    std::vector<HistoryRow> rows;
    for (int32_t sqqh : issues)
        rows.push_back({sqqh, {}, {}, false});
    return checkMissingDraws(rows);
}

std::vector<int32_t> wholeDay(int32_t day, std::initializer_list<int> except = {})
{
    std::vector<int32_t> issues;
    for (int s = 1; s <= 120; ++s) {
        if (std::find(except.begin(), except.end(), s) == except.end())
            issues.push_back(day * 1000 + s);
    }
    return issues;
}

} // namespace

TEST(MissingDrawCheck, AcrossAYearEnd)
{
    // 120 of 31 Dec 2015 and 001-002 of 1 Jan 2016 are missing between 119 and 003.
    auto r = check({151231119, 160101003});
    EXPECT_EQ(r.missing, (std::vector<MissingRun>{{151231120, 160101002, 3}}));
    EXPECT_EQ(r.missingCount, 3);
    EXPECT_EQ(r.shortDays, (std::vector<Days>{{151231, 151231, 1}, {160101, 160101, 1}}));
    EXPECT_EQ(r.oldest, 151231119);
    EXPECT_EQ(r.newest, 160101003);

    // 120 on 31 Dec is followed by 001 on 1 Jan: nothing missing.
    auto full = wholeDay(161231);
    const auto next = wholeDay(170101);
    full.insert(full.end(), next.begin(), next.end());
    r = check(full);
    EXPECT_TRUE(r.clean());
    EXPECT_EQ(r.newest, 170101120);
}

TEST(MissingDrawCheck, AroundTwentyNinthFebruary)
{
    // 2016 is a leap year: 29 Feb stands between 28 Feb and 1 Mar; its draw 060 is missing.
    std::vector<int32_t> issues{160228120};
    const auto leapDay = wholeDay(160229, {60});
    issues.insert(issues.end(), leapDay.begin(), leapDay.end());
    issues.push_back(160301001);
    auto r = check(issues);
    EXPECT_EQ(r.missing, (std::vector<MissingRun>{{160229060, 160229060, 1}}));
    EXPECT_EQ(r.shortDays,
              (std::vector<Days>{{160228, 160228, 1}, {160229, 160229, 119}, {160301, 160301, 1}}));

    // 2017 is not: 28 Feb's 120 is followed by 1 Mar's 001.
    EXPECT_TRUE(check({170228120, 170301001}).missing.empty());

    // From 27 Feb's 120 to 1 Mar's 001 of 2016: two whole days, 240 draws; the empty days are one
    // entry.
    r = check({160227120, 160301001});
    EXPECT_EQ(r.missing, (std::vector<MissingRun>{{160228001, 160229120, 240}}));
    EXPECT_EQ(r.shortDays,
              (std::vector<Days>{{160227, 160227, 1}, {160228, 160229, 0}, {160301, 160301, 1}}));
}

TEST(MissingDrawCheck, IssuesThatCannotExistAndRepeats)
{
    // 30 Feb 2016 and 29 Feb 2017 are no calendar days; sequences 000 and 121 do not exist.
    // They stand apart: the missing run goes from 29 Feb 2016's 006 to 1 Mar's 004 (115 + 4).
    auto r = check({160229005, 160230001, 160301000, 160301005, 160301005, 160301121, 170229001});
    EXPECT_EQ(r.impossible,
              (std::vector<Bad>{
                  {160230001, false}, {160301000, true}, {160301121, true}, {170229001, false}}));
    EXPECT_EQ(r.repeated, (std::vector<int32_t>{160301005}));
    EXPECT_EQ(r.missing, (std::vector<MissingRun>{{160229006, 160301004, 119}}));
    EXPECT_EQ(r.oldest, 160229005);
    EXPECT_EQ(r.newest, 160301005);
    EXPECT_FALSE(r.clean());

    EXPECT_TRUE(check({}).clean());
    EXPECT_EQ(check({}).oldest, 0);
}
