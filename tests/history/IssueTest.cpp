#include "Issue.h"

#include <gtest/gtest.h>

using namespace quorlent;

TEST(IssueTest, NextRollsOverAfterTheDaysLastDraw)
{
    EXPECT_EQ(issue::next(160908078), 160908079);
    EXPECT_EQ(issue::next(160908120), 160909001);
    EXPECT_EQ(issue::next(160229120), 160301001); // leap day
    EXPECT_EQ(issue::next(150228120), 150301001); // no leap day in 2015
    EXPECT_EQ(issue::next(161231120), 170101001); // year end
    EXPECT_EQ(issue::next(160930120), 161001001); // month end
    EXPECT_EQ(issue::next(160908121), 160908122); // above 120: plain successor
    EXPECT_EQ(issue::next(91231120), 100101001);  // 2009 into 2010
}

TEST(IssueTest, TextFormsKeepNineDigits)
{
    EXPECT_EQ(issue::displayForm(160908078), "20160908078");
    EXPECT_EQ(issue::displayForm(70908078), "20070908078");
    EXPECT_EQ(issue::displayForm(1001), "20000001001");
    EXPECT_EQ(issue::storedText(70908078), "070908078");
}

TEST(IssueTest, FromDisplayTakesTheLastNineDigits)
{
    EXPECT_EQ(issue::fromDisplay("20160908078"), 160908078);
    EXPECT_EQ(issue::fromDisplay("20070908078"), 70908078);
    EXPECT_EQ(issue::fromDisplay("160908078"), 160908078);
    EXPECT_FALSE(issue::fromDisplay(""));
    EXPECT_FALSE(issue::fromDisplay("2016090807x"));
    EXPECT_FALSE(issue::fromDisplay("2016-09-08"));
}

TEST(IssueTest, DayNumbersAndDates)
{
    EXPECT_EQ(issue::dayNumberOf(QDate(2016, 9, 8)), 160908);
    EXPECT_EQ(issue::dateOf(160908078), QDate(2016, 9, 8));
    EXPECT_FALSE(issue::dateOf(161399120).isValid());
    EXPECT_EQ(issue::next(161399120), 161399121); // no such day: plain successor
    EXPECT_EQ(issue::firstOfDay(QDate(2007, 1, 5)), 70105001);
}
