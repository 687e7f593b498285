#include "FilesTestSupport.h"
#include "Game.h"
#include "HistoryImport.h"
#include "TableImport.h"

#include <QSet>

using namespace quorlent;
using quorlent::testing::ProgramFolder;
using quorlent::testing::readBytes;

using SampleHistoryTest = ProgramFolder;

namespace {

// The original game: these draws are numbered by its issues.
constexpr Game kGame = Game::standard();

} // namespace

TEST_F(SampleHistoryTest, TheShippedSampleImportsAsThreeWeeksOfConsecutiveDraws)
{
    const QString path = QStringLiteral(QUORLENT_SAMPLES_DIR "/历史号码/示例历史号码.txt");
    const QByteArray bytes = readBytes(path);
    ASSERT_FALSE(bytes.isEmpty()) << path.toStdString();
    // Every line ends in CR LF, the last one included.
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n'));
    EXPECT_TRUE(bytes.endsWith("\r\n"));

    const FileOpResult result = importHistoryFile(m_store, path, 1);
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_EQ(result.skippedLines, 0);
    EXPECT_EQ(result.count, 21 * kGame.drawsPerDay());

    const auto &rows = m_store.rows();
    QSet<int> months;
    QSet<int> years;
    for (size_t i = 0; i < rows.size(); ++i) {
        const QDate date = kGame.dateOf(rows[i].sqqh);
        ASSERT_TRUE(date.isValid()) << rows[i].sqqh;
        months.insert(date.month());
        years.insert(date.year());
        if (i > 0) {
            ASSERT_EQ(rows[i].sqqh, kGame.next(rows[i - 1].sqqh, QDate())) << i;
        }
    }
    EXPECT_EQ(kGame.sequence(rows.front().sqqh), 1);
    EXPECT_EQ(kGame.sequence(rows.back().sqqh), kGame.drawsPerDay());
    EXPECT_GE(months.size(), 2); // crosses a month end
    EXPECT_GE(years.size(), 2);  // and a year end
}

TEST(DailySampleTest, TheDailySampleReadsAsTheDailyGameWithItsDatesAcrossTheNewYear)
{
    const QString path = QStringLiteral(QUORLENT_SAMPLES_DIR "/历史号码/示例每天一期.csv");
    const import::ImportScan scan = import::TableImport::scan(path);
    ASSERT_TRUE(scan.ok()) << scan.message.toStdString();
    const Game daily = *Game::make(1, IssueForm::YearSequence4);
    EXPECT_EQ(scan.read.game, daily) << "the game the issues fit comes first";
    EXPECT_TRUE(scan.read.refused.empty());
    const auto &draws = scan.read.draws;
    ASSERT_EQ(draws.size(), size_t(QDate(2025, 10, 1).daysTo(QDate(2026, 2, 28)) + 1));
    EXPECT_EQ(draws.front().sqqh, daily.issueOfYear(2025, 274));
    EXPECT_EQ(draws.front().date, 20251001);
    for (size_t i = 1; i < draws.size(); ++i) {
        ASSERT_EQ(Game::dateOfNumber(draws[i].date),
                  Game::dateOfNumber(draws[i - 1].date).addDays(1))
            << i;
        ASSERT_EQ(draws[i].sqqh, daily.issueOfYear(Game::dateOfNumber(draws[i].date).year(),
                                                    Game::dateOfNumber(draws[i].date).dayOfYear()))
            << i;
    }
    EXPECT_EQ(draws.back().sqqh, daily.issueOfYear(2026, 59));
}
