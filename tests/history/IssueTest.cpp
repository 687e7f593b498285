#include "Game.h"

#include <gtest/gtest.h>

using namespace quorlent;

namespace {

// The issues of the original game, the form every history had before games existed.
constexpr Game kGame = Game::standard();

} // namespace

TEST(IssueTest, NextRollsOverAfterTheDaysLastDraw)
{
    EXPECT_EQ(kGame.next(160908078, QDate()), 160908079);
    EXPECT_EQ(kGame.next(160908120, QDate()), 160909001);
    EXPECT_EQ(kGame.next(160229120, QDate()), 160301001); // leap day
    EXPECT_EQ(kGame.next(150228120, QDate()), 150301001); // no leap day in 2015
    EXPECT_EQ(kGame.next(161231120, QDate()), 170101001); // year end
    EXPECT_EQ(kGame.next(160930120, QDate()), 161001001); // month end
    EXPECT_EQ(kGame.next(160908121, QDate()), 160908122); // above 120: plain successor
    EXPECT_EQ(kGame.next(91231120, QDate()), 100101001);  // 2009 into 2010
}

TEST(IssueTest, TextFormsKeepNineDigits)
{
    EXPECT_EQ(kGame.displayForm(160908078), "20160908078");
    EXPECT_EQ(kGame.displayForm(70908078), "20070908078");
    EXPECT_EQ(kGame.displayForm(1001), "20000001001");
    EXPECT_EQ(kGame.storedText(70908078), "070908078");
}

TEST(IssueTest, FromDisplayTakesTheLastNineDigits)
{
    EXPECT_EQ(kGame.fromDisplay(u"20160908078"), 160908078);
    EXPECT_EQ(kGame.fromDisplay(u"20070908078"), 70908078);
    EXPECT_EQ(kGame.fromDisplay(u"160908078"), 160908078);
    EXPECT_FALSE(kGame.fromDisplay(u""));
    EXPECT_FALSE(kGame.fromDisplay(u"2016090807x"));
    EXPECT_FALSE(kGame.fromDisplay(u"2016-09-08"));
}

TEST(IssueTest, DayNumbersAndDates)
{
    EXPECT_EQ(kGame.issueOfDay(QDate(2016, 9, 8), 0) / 1000, 160908);
    EXPECT_EQ(kGame.dateOf(160908078), QDate(2016, 9, 8));
    EXPECT_FALSE(kGame.dateOf(161399120).isValid());
    EXPECT_EQ(kGame.next(161399120, QDate()), 161399121); // no such day: plain successor
    EXPECT_EQ(kGame.first(QDate(2007, 1, 5)), 70105001);
}
