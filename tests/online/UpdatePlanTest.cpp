#include "Printers.h"
#include "SamplePages.h"
#include "UpdatePlan.h"

#include <gtest/gtest.h>

using namespace quorlent;
using namespace quorlent::updateplan;

namespace {

const QDate kToday(2016, 9, 8);

QDateTime at(const QDate &date, int hour, int minute = 0, int second = 0)
{
    return QDateTime(date, QTime(hour, minute, second));
}

// A page of rows given as cells; row 0 is the header.
DrawPage pageOf(std::vector<QStringList> dataRows)
{
    DrawPage page;
    page.status = DrawPage::Status::Rows;
    page.rows.push_back({"#", "期号", "号码", ""});
    for (QStringList &row : dataRows)
        page.rows.push_back(std::move(row));
    return page;
}

QStringList row(const QString &issue, const QString &digits)
{
    return {"n", issue, digits, "link"};
}

std::vector<int32_t> issuesOf(const std::vector<PageDraw> &draws)
{
    std::vector<int32_t> issues;
    for (const PageDraw &draw : draws)
        issues.push_back(draw.sqqh);
    return issues;
}

} // namespace

TEST(UpdatePlanTest, RoundsHalvesToEven)
{
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(1.5), 2);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(0.625), 1);
    EXPECT_EQ(roundHalfEven(0.49), 0);
    EXPECT_EQ(roundHalfEven(2.51), 3);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
    EXPECT_EQ(roundHalfEven(-1.5), -2);
}

TEST(UpdatePlanTest, RetentionWindowCountsDaysWithFractionsFromMidnight)
{
    const int32_t sixDaysAgo = 160902050;
    EXPECT_FALSE(retentionExpired(sixDaysAgo, at(kToday, 0), 6)); // exactly 6 days
    EXPECT_TRUE(retentionExpired(sixDaysAgo, at(kToday, 0, 0, 1), 6));
    EXPECT_FALSE(retentionExpired(sixDaysAgo, at(kToday, 12), 7));
    EXPECT_TRUE(retentionExpired(160901120, at(kToday, 0), 6)); // seven days ago
    EXPECT_FALSE(retentionExpired(160908001, at(kToday, 23, 59), 2));
    EXPECT_FALSE(retentionExpired(std::nullopt, at(kToday, 12), 6));
    // Across a month and a year end.
    EXPECT_TRUE(retentionExpired(161228001, at(QDate(2017, 1, 3), 1), 6));
    EXPECT_FALSE(retentionExpired(161228001, at(QDate(2017, 1, 3), 0), 6));
    // An issue naming no real day cannot be measured and empties nothing.
    EXPECT_FALSE(retentionExpired(161332001, at(kToday, 12), 6));
    EXPECT_FALSE(retentionExpired(1, at(kToday, 12), 6));
}

TEST(UpdatePlanTest, FetchWindowIsMeasuredFromTheNewestDrawsMidnight)
{
    EXPECT_EQ(fetchWindow(std::nullopt, at(kToday, 15), 6), 6);
    EXPECT_EQ(fetchWindow(std::nullopt, at(kToday, 15), 16), 16);
    EXPECT_EQ(fetchWindow(160908078, at(kToday, 15), 6), 1);     // 0.625
    EXPECT_EQ(fetchWindow(160908078, at(kToday, 11, 59), 6), 0); // 0.499
    EXPECT_EQ(fetchWindow(160908078, at(kToday, 12), 6), 0);     // 0.5 rounds to even 0
    EXPECT_EQ(fetchWindow(160907120, at(kToday, 12), 6), 2);     // 1.5 rounds to even 2
    EXPECT_EQ(fetchWindow(160906120, at(kToday, 12), 6), 2);     // 2.5 rounds to even 2
    EXPECT_EQ(fetchWindow(160906120, at(kToday, 12, 1), 6), 3);
    // Never beyond the window, however old the newest draw.
    EXPECT_EQ(fetchWindow(150101001, at(kToday, 12), 6), 6);
    EXPECT_EQ(fetchWindow(161399001, at(kToday, 12), 6), 6); // no real day
    // A history dated after the clock loads no page at all.
    EXPECT_EQ(fetchWindow(160910001, at(kToday, 12), 6), -2);
    EXPECT_TRUE(fetchDates(-2, kToday).isEmpty());
}

TEST(UpdatePlanTest, DatesRunOldestFirstUpToToday)
{
    EXPECT_EQ(fetchDates(0, kToday), QList<QDate>{kToday});
    EXPECT_EQ(fetchDates(1, kToday), (QList<QDate>{QDate(2016, 9, 7), kToday}));
    const QList<QDate> window = fetchDates(6, QDate(2017, 1, 3));
    ASSERT_EQ(window.size(), 7);
    EXPECT_EQ(window.front(), QDate(2016, 12, 28));
    EXPECT_EQ(window[4], QDate(2017, 1, 1));
    EXPECT_EQ(window.back(), QDate(2017, 1, 3));
}

TEST(UpdatePlanTest, PageAddressAppendsThePathOnce)
{
    const QString expected = "http://results.example:8080/lottery/draw/list/200?d=2016-09-08";
    EXPECT_EQ(pageAddress("http://results.example:8080", kToday).toString(), expected);
    EXPECT_EQ(pageAddress("http://results.example:8080/", kToday).toString(), expected);
    EXPECT_EQ(pageAddress(" http://results.example:8080// ", kToday).toString(), expected);
    EXPECT_EQ(pageAddress("https://h/site/", QDate(2017, 1, 3)).toString(),
              "https://h/site/lottery/draw/list/200?d=2017-01-03");
}

TEST(UpdatePlanTest, FirstSequenceFollowsTheNewestDrawOfThePagesDay)
{
    const int32_t day = 160908;
    EXPECT_EQ(firstSequenceToStore(std::nullopt, day), 1);
    EXPECT_EQ(firstSequenceToStore(160907120, day), 1);
    EXPECT_EQ(firstSequenceToStore(160907050, day), 1);
    EXPECT_EQ(firstSequenceToStore(160908078, day), 79);
    EXPECT_EQ(firstSequenceToStore(160908120, day), 121); // the day is complete
}

TEST(UpdatePlanTest, ReadsIssueAndDigitCellsByTheirPlaceInTheRow)
{
    const DrawPage page = pageOf({
        row("20160908001", "1 2 3 4 5"),
        row("20160908002", "67890"),                      // digits without blanks
        {"n", "短", "20160908003", "2 2 2 2 2", "8", "x"}, // short cells before the issue
        {"n", "20160908004", "3 3 3 3 3", "18", "x"},      // an extra column after the digits
        {"n", "20160908005", "4 4 4 4 4 4 4", "x"},        // characters after the fifth
        {"20160908006", "5 5 5 5 5", "x"},                 // issue in the first cell: not read
        {"n", "20160908007", "6 6 6 6 6"},                 // digits in the last cell: not read
        {"n", "20160908008"},                              // no cell examined at all
    });
    const std::map<int, Digits> listed = newerListedDraws(page, std::nullopt);
    const std::map<int, Digits> expected{{1, {1, 2, 3, 4, 5}},
                                         {2, {6, 7, 8, 9, 0}},
                                         {3, {2, 2, 2, 2, 2}},
                                         {4, {3, 3, 3, 3, 3}},
                                         {5, {4, 4, 4, 4, 4}}};
    EXPECT_EQ(listed, expected);

    // The header row is never a draw, even when it looks like one.
    DrawPage headerLike = pageOf({});
    headerLike.rows[0] = row("20160908009", "9 9 9 9 9");
    EXPECT_TRUE(newerListedDraws(headerLike, std::nullopt).empty());
}

TEST(UpdatePlanTest, RowsThatCannotBeTrustedStoreNothing)
{
    const DrawPage page = pageOf({
        row("20160908001", "1 2 x 4 5"),       // a letter among the digits
        row("20160908002", "1 2 3 4"),         // four digits
        row("20160908003", "１ ２ ３ ４ ５"), // full-width digits
        row("20160908004", "1-2-3-4-5"),       // dashes
        row("20160908005", ""),                // empty
        row("2016-09-08 006", "1 2 3 4 5"),    // an issue cell that is not all digits
        row("20160908121", "1 2 3 4 5"),       // sequence above 120
        row("20160908000", "1 2 3 4 5"),       // sequence 0
        row("2016090800", "1 2 3 4 5"),        // ten characters: no issue cell
        row("20160908010", "0 0 0 0 0"),       // the one good row
    });
    const std::map<int, Digits> listed = newerListedDraws(page, std::nullopt);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed.begin()->first, 10);
}

TEST(UpdatePlanTest, OnlyIssuesNewerThanTheNewestStoredAreRead)
{
    const DrawPage page = pageOf({row("20160908077", "1 1 1 1 1"), row("20160908078", "2 2 2 2 2"),
                                  row("20160908079", "3 3 3 3 3"), row("20160907120", "4 4 4 4 4")});
    const std::map<int, Digits> listed = newerListedDraws(page, 160908078);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed.begin()->first, 79);
    EXPECT_EQ(newerListedDraws(page, 160908079).size(), 0u);
    EXPECT_EQ(newerListedDraws(page, std::nullopt).size(), 4u);
}

TEST(UpdatePlanTest, StoresFromTheFirstSequenceInIssueOrderUnderThePagesDate)
{
    // Listed newest first, as results pages do.
    std::vector<QStringList> rows;
    for (int sequence = 90; sequence >= 70; --sequence)
        rows.push_back(row(test::issueText(kToday, sequence),
                           test::digitText(test::sampleDigits(kToday, sequence))));
    const DrawPage page = pageOf(rows);

    const std::vector<PageDraw> draws = drawsToStore(page, kToday, 160908078);
    ASSERT_EQ(draws.size(), 12u);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(draws[i].sqqh, 160908079 + i);
        EXPECT_EQ(draws[i].digits, test::sampleDigits(kToday, 79 + i));
    }

    // The newest stored draw is from an earlier day: the page's day starts at sequence 1, which
    // this page does not list, so nothing is stored.
    EXPECT_TRUE(drawsToStore(page, kToday, 160907120).empty());
    // Nothing is newer than the newest stored draw.
    EXPECT_TRUE(drawsToStore(page, kToday, 160908090).empty());
    // The day part comes from the page's date, the sequence from the issue cell.
    const DrawPage other = pageOf({row("20160907001", "1 2 3 4 5")});
    EXPECT_EQ(issuesOf(drawsToStore(other, kToday, std::nullopt)),
              std::vector<int32_t>{160908001});
    // A page of the day before the newest stored draw's that lists later issues (a site that
    // answers every date with today's list) stores nothing under its own, older day.
    EXPECT_TRUE(drawsToStore(page, kToday.addDays(-1), 160908078).empty());
    // A page without rows stores nothing.
    DrawPage noRows;
    noRows.status = DrawPage::Status::NoRows;
    EXPECT_TRUE(drawsToStore(noRows, kToday, std::nullopt).empty());
}

TEST(UpdatePlanTest, StopsAtTheFirstSequenceThePageDoesNotList)
{
    const DrawPage page = pageOf({row("20160908001", "1 1 1 1 1"), row("20160908002", "2 2 2 2 2"),
                                  row("20160908004", "4 4 4 4 4"), row("20160908005", "5 5 5 5 5")});
    EXPECT_EQ(issuesOf(drawsToStore(page, kToday, std::nullopt)),
              (std::vector<int32_t>{160908001, 160908002}));
    // A refused row is a gap like any other.
    const DrawPage bad = pageOf({row("20160908001", "1 1 1 1 1"), row("20160908002", "2 2 z 2 2"),
                                 row("20160908003", "3 3 3 3 3")});
    EXPECT_EQ(issuesOf(drawsToStore(bad, kToday, std::nullopt)),
              std::vector<int32_t>{160908001});
    // The later listing of a sequence wins; a refused repeat does not erase a good listing.
    const DrawPage repeated = pageOf({row("20160908001", "1 1 1 1 1"),
                                      row("20160908001", "7 7 7 7 7"),
                                      row("20160908001", "7 7 q 7 7")});
    const std::vector<PageDraw> draws = drawsToStore(repeated, kToday, std::nullopt);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].digits, (Digits{7, 7, 7, 7, 7}));
}

TEST(UpdatePlanTest, AFullDayEndsAtSequence120)
{
    const DrawPage page = DrawPage::parse(test::dayPage(kToday, 1, 120));
    const std::vector<PageDraw> draws = drawsToStore(page, kToday, 160908100);
    ASSERT_EQ(draws.size(), 20u);
    EXPECT_EQ(draws.front().sqqh, 160908101);
    EXPECT_EQ(draws.back().sqqh, 160908120);
    EXPECT_TRUE(drawsToStore(page, kToday, 160908120).empty());
}

TEST(UpdatePlanTest, OtherGamesReadTheirOwnIssuesFromTheSamePageForm)
{
    // One a day, numbered by year: the listed issues themselves, going on from the newest stored
    // one, at most one from a day's page; a year's first follows the last of the year before.
    const Game daily = *Game::make(1, IssueForm::YearSequence4);
    const DrawPage page = pageOf({row("2026101", "09033"), row("2026102", "1 2 3 4 5"),
                                  row("2026367", "12345"), row("2026-04-21", "55555")});
    int misfits = 0;
    auto draws = drawsToStore(page, QDate(2026, 4, 21), daily.issueOfYear(2026, 100), daily, &misfits);
    EXPECT_EQ(issuesOf(draws), (std::vector<int32_t>{daily.issueOfYear(2026, 101)}));
    EXPECT_EQ(draws[0].digits, (Digits{0, 9, 0, 3, 3}));
    EXPECT_EQ(misfits, 1); // 2026367: a year has no such draw
    EXPECT_TRUE(drawsToStore(page, QDate(2026, 4, 21), daily.issueOfYear(2026, 102), daily).empty());
    // The next year's first follows a draw of the year's last days, not one of its middle.
    const DrawPage newYear = pageOf({row("2027001", "11111")});
    const int32_t lateDraw = daily.issueOfYear(2026, 358);
    EXPECT_EQ(issuesOf(drawsToStore(newYear, QDate(2027, 1, 1), lateDraw, daily, nullptr, 20261231)),
              (std::vector<int32_t>{daily.issueOfYear(2027, 1)}));
    EXPECT_TRUE(drawsToStore(newYear, QDate(2027, 1, 1), lateDraw, daily, nullptr, 20261110).empty());
    EXPECT_TRUE(drawsToStore(newYear, QDate(2027, 1, 1), lateDraw, daily).empty());

    // 96 a day with two-digit sequences: stored under the page's day, up to 96.
    const Game g96 = *Game::make(96, IssueForm::DateSequence2);
    const DrawPage day = pageOf({row("2017032895", "11111"), row("2017032896", "22222"),
                                 row("2017032897", "33333")});
    misfits = 0;
    draws = drawsToStore(day, QDate(2017, 3, 28), 17032894, g96, &misfits);
    EXPECT_EQ(issuesOf(draws), (std::vector<int32_t>{17032895, 17032896}));
    EXPECT_EQ(misfits, 1);
}
