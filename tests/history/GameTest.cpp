#include "Game.h"

#include <gtest/gtest.h>

using namespace quorlent;

namespace {

const Game kDaily = *Game::make(1, IssueForm::YearSequence4);
const Game k96 = *Game::make(96, IssueForm::DateSequence2);
const Game k84 = *Game::make(84, IssueForm::DateSequence3);

} // namespace

TEST(GameTest, YearNumberedDrawsGoOnInTheirYearUntilTheClockSaysANewOne)
{
    const QDate lateDecember(2025, 12, 31);
    const QDate newYear(2026, 1, 2);
    const int32_t last2025 = kDaily.issueOfYear(2025, 356);
    EXPECT_EQ(kDaily.displayForm(last2025), "2025356");
    EXPECT_EQ(kDaily.displayForm(kDaily.next(last2025, lateDecember)), "2025357");
    EXPECT_EQ(kDaily.displayForm(kDaily.next(last2025, newYear)), "2026001");
    EXPECT_EQ(kDaily.displayForm(kDaily.first(newYear)), "2026001");
    // A year has at most 366 draws of a one-a-day game.
    EXPECT_TRUE(kDaily.exists(kDaily.issueOfYear(2024, 366)));
    EXPECT_FALSE(kDaily.exists(kDaily.issueOfYear(2024, 367)));
    EXPECT_FALSE(kDaily.exists(kDaily.issueOfYear(2024, 0)));
    EXPECT_FALSE(kDaily.dateOf(last2025).isValid()); // the issue does not say the day
    EXPECT_EQ(kDaily.dayOf(last2025, 20251222), QDate(2025, 12, 22));
}

TEST(GameTest, EveryFormIsReadAsFilesAndPagesWriteIt)
{
    EXPECT_EQ(kDaily.parse(u"2026101"), kDaily.issueOfYear(2026, 101));
    EXPECT_EQ(kDaily.parse(u"26101"), kDaily.issueOfYear(2026, 101));
    EXPECT_EQ(kDaily.parse(u"2026-101"), kDaily.issueOfYear(2026, 101));
    EXPECT_FALSE(kDaily.parse(u"20260421"));
    EXPECT_FALSE(kDaily.parse(u"3026101")); // not a year of ours

    EXPECT_EQ(Game::standard().parse(u"20160116-023"), 160116023);
    EXPECT_EQ(Game::standard().parse(u"2016/01/16"), std::nullopt);
    EXPECT_EQ(Game::standard().parse(u"160116023"), 160116023);
    EXPECT_EQ(k96.parse(u"2017032801"), 17032801);
    EXPECT_EQ(k96.parse(u"20170328-01"), 17032801);
    EXPECT_FALSE(k96.parse(u"20170328001"));

    // The shown form of each game, and back.
    EXPECT_EQ(k96.displayForm(17032801), "2017032801");
    EXPECT_EQ(k96.fromDisplay(u"2017032801"), 17032801);
    EXPECT_FALSE(k96.fromDisplay(u"20170328001")); // another game's issue, not cut to size
    const Game short2 = *Game::make(1, IssueForm::YearSequence2);
    EXPECT_EQ(short2.displayForm(short2.issueOfYear(2026, 7)), "26007");
}

TEST(GameTest, DaysOfSeveralDrawsRollOverAfterTheirLast)
{
    const QDate today(2017, 3, 28);
    EXPECT_EQ(k96.next(17032895, today), 17032896);
    EXPECT_EQ(k96.next(17032896, today), 17032901);
    EXPECT_EQ(k96.next(17033196, today), 17040101);
    EXPECT_EQ(k84.displayForm(k84.next(140914084, today)), "20140915001");
    EXPECT_EQ(k96.whyNotExists(17032897), "每天 96 期，序号 97 不存在");
    EXPECT_FALSE(k96.exists(17022901)); // no 29 February in 2017
    // A sequence whose two digits are full has no plain successor within the day.
    EXPECT_EQ(k96.next(17032899, today), 17032901);
}

TEST(GameTest, SchedulesThatCannotBeAreRefused)
{
    EXPECT_FALSE(Game::make(0, IssueForm::DateSequence3));
    EXPECT_FALSE(Game::make(1000, IssueForm::DateSequence3));
    EXPECT_FALSE(Game::make(100, IssueForm::DateSequence2));
    EXPECT_FALSE(Game::make(3, IssueForm::YearSequence4));
    EXPECT_TRUE(Game::make(999, IssueForm::DateSequence3));
    EXPECT_EQ(Game::presets().front(), Game::standard());
    EXPECT_EQ(Game::presets()[1].scheduleName(), "每天 96 期（期号 日期+两位序号）");
    EXPECT_EQ(Game::presets()[3].scheduleName(), "每天一期（期号 年份+年内序号）");
    EXPECT_EQ(Game::presets()[3].formHint(), "期号应为 年份+三位序号，如 2026101");
}

TEST(GameTest, MessagesAboutIssuesFollowTheGame)
{
    const Game standard = Game::standard();
    const Game daily = Game::presets()[3];
    EXPECT_EQ(standard.entryHint(), "请输入十一位期号");
    EXPECT_EQ(daily.entryHint(), daily.formHint());
    EXPECT_EQ(standard.notAnIssue("2016"), "“2016”不是十一位期号");
    EXPECT_EQ(daily.notAnIssue("2016"),
              "“2016”不是本彩种的期号（期号应为 年份+三位序号，如 2026101）");
    EXPECT_EQ(standard.exampleIssue(170101001), "20160908078");
    EXPECT_EQ(daily.exampleIssue(26101), "2026101");
    // Every game's issues fit a box made for the widest one.
    EXPECT_EQ(Game::widestIssue().size(), 11);
    for (const Game &game : Game::presets())
        EXPECT_LE(game.displayLength(), Game::widestIssue().size());
}
