#include "Gb18030.h"
#include "TableImport.h"
#include "LayoutDetector.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

using namespace quorlent;
using namespace quorlent::import;

namespace {

ImportScan scanText(const char *utf8)
{
    return TableImport::scan(QByteArray(utf8));
}

std::vector<std::string> messages(const ReadResult &read)
{
    std::vector<std::string> texts;
    for (const RefusedRow &row : read.refused)
        texts.push_back(row.message().toStdString());
    return texts;
}

void expectEveryLineCounted(const ReadResult &read)
{
    EXPECT_EQ(qsizetype(read.draws.size() + read.refused.size()) + read.skippedLines, read.lines);
    EXPECT_EQ(read.draws.size(), read.drawLines.size());
}

Game yearly()
{
    return *Game::make(1, IssueForm::YearSequence4);
}

struct LayoutCase
{
    const char *name;
    QByteArray bytes;
    Game game;
    std::vector<HistoryLine> draws;
    qsizetype skipped;
};

QByteArray encoded(QStringConverter::Encoding encoding, const char *utf8)
{
    QStringEncoder encoder(encoding, QStringConverter::Flag::WriteBom);
    return encoder(QString::fromUtf8(utf8));
}

// Text as a Chinese Windows system saves it.
QByteArray gbk(const QString &text)
{
    return platform::encodeGb18030(text).value_or(QByteArray());
}

} // namespace

TEST(TableImportTest, ReadsEachLayoutWithTheGameItsIssuesFit)
{
    const QByteArray gbkFile = gbk(QString::fromUtf8(
        "重庆时时彩 历史开奖\r\n期号,开奖日期,开奖号码,星期\r\n"
        "20160908078,2016-09-08,35305,星期四\r\n20160908079,2016-09-08,00124,星期四\r\n"));
    ASSERT_FALSE(gbkFile.isEmpty()) << "no GB18030 encoder";
    const std::vector<LayoutCase> cases{
        {"csv with header and date",
         "期号,开奖日期,开奖号码\n2026101,2026-04-21,09033\n2026102,2026/4/22,12345\n",
         yearly(),
         {{26101, {0, 9, 0, 3, 3}, 20260421}, {26102, {1, 2, 3, 4, 5}, 20260422}},
         1},
        {"eleven digits and a blank",
         "20160908078 12345\n20160908079 54321\n",
         Game::standard(),
         {{160908078, {1, 2, 3, 4, 5}, 0}, {160908079, {5, 4, 3, 2, 1}, 0}},
         0},
        {"dash and tab, CR endings",
         "20160116-023\t08281\r20160116-024\t11111\r",
         Game::standard(),
         {{160116023, {0, 8, 2, 8, 1}, 0}, {160116024, {1, 1, 1, 1, 1}, 0}},
         0},
        {"digits in separate fields",
         "2017032801,1,2,3,4,5\n2017032802,0,0,0,0,9\n",
         *Game::make(96, IssueForm::DateSequence2),
         {{17032801, {1, 2, 3, 4, 5}, 0}, {17032802, {0, 0, 0, 0, 9}, 0}},
         0},
        {"blank-separated single digits",
         "20170328001 1 2 3 4 5\n20170328002 6 7 8 9 0\n",
         Game::standard(),
         {{170328001, {1, 2, 3, 4, 5}, 0}, {170328002, {6, 7, 8, 9, 0}, 0}},
         0},
        {"quoted fields, time of day, digits in one quoted field",
         "\"期号\",\"时间\",\"号码\"\n\"2026101\",\"2026-04-21 21:30:00\",\"0,9,0,3,3\"\n",
         yearly(),
         {{26101, {0, 9, 0, 3, 3}, 20260421}},
         1},
        {"newest first",
         "期号 开奖号码\n20160908079 54321\n20160908078 12345\n",
         Game::standard(),
         {{160908078, {1, 2, 3, 4, 5}, 0}, {160908079, {5, 4, 3, 2, 1}, 0}},
         1},
        {"GBK with a title and a Chinese header",
         gbkFile,
         Game::standard(),
         {{160908078, {3, 5, 3, 0, 5}, 0}, {160908079, {0, 0, 1, 2, 4}, 0}},
         2},
        {"UTF-16LE with BOM",
         encoded(QStringConverter::Utf16LE, "期号,开奖号码\r\n20160908078,35305\r\n"),
         Game::standard(),
         {{160908078, {3, 5, 3, 0, 5}, 0}},
         1},
        {"UTF-16BE with BOM",
         encoded(QStringConverter::Utf16BE, "26101 09033\n26102 12345\n"),
         *Game::make(1, IssueForm::YearSequence2),
         {{26101, {0, 9, 0, 3, 3}, 0}, {26102, {1, 2, 3, 4, 5}, 0}},
         0},
        {"semicolons, two-digit years and eight-digit dates",
         "26101;20260421;09033\n26102;20260422;12345\n",
         *Game::make(1, IssueForm::YearSequence2),
         {{26101, {0, 9, 0, 3, 3}, 20260421}, {26102, {1, 2, 3, 4, 5}, 20260422}},
         0},
        {"issues as sites write them",
         "第2026101期,09033\n第2026102期,12345\n",
         yearly(),
         {{26101, {0, 9, 0, 3, 3}, 0}, {26102, {1, 2, 3, 4, 5}, 0}},
         0},
        {"UTF-8 with BOM",
         "\xEF\xBB\xBF"
         "20160908078,35305\n",
         Game::standard(),
         {{160908078, {3, 5, 3, 0, 5}, 0}},
         0},
    };
    for (const LayoutCase &c : cases) {
        SCOPED_TRACE(c.name);
        const ImportScan seen = TableImport::scan(c.bytes);
        ASSERT_EQ(seen.verdict, FileVerdict::Table) << seen.message.toStdString();
        ASSERT_FALSE(seen.games.candidates().empty());
        EXPECT_EQ(seen.games.candidates().front(), c.game);
        EXPECT_EQ(seen.read.draws, c.draws);
        EXPECT_EQ(seen.read.skippedLines, c.skipped);
        EXPECT_TRUE(seen.read.refused.empty()) << messages(seen.read).front();
        expectEveryLineCounted(seen.read);
    }
}

TEST(TableImportTest, WhatThePreviewShowsOfAFile)
{
    const ImportScan seen = TableImport::scan(gbk(QString::fromUtf8(
        "开奖记录\n\n期号\t开奖号码\t试机号\t和值\n20160908080\t35305\t11111\t16\n"
        "20160908079\t00124\t22222\t7\n")));
    ASSERT_TRUE(seen.ok()) << seen.message.toStdString();
    EXPECT_EQ(seen.source->encoding(), TextEncoding::Gb18030);
    EXPECT_EQ(seen.layout.separator, Separator::Tab);
    EXPECT_EQ(seen.layout.roles, (std::vector<ColumnRole>{ColumnRole::Issue, ColumnRole::Digits,
                                                          ColumnRole::Other, ColumnRole::Other}));
    EXPECT_EQ(seen.layout.headerLine, 3);
    EXPECT_EQ(seen.layout.header, (QStringList{"期号", "开奖号码", "试机号", "和值"}));
    EXPECT_EQ(seen.read.order, DrawOrder::NewestFirst);
    EXPECT_EQ(seen.read.oldestIssue(), 160908079);
    EXPECT_EQ(seen.read.newestIssue(), 160908080);
    EXPECT_EQ(seen.read.drawLines, (std::vector<qsizetype>{5, 4}));
    ASSERT_EQ(seen.read.firstRows.size(), 2u);
    EXPECT_EQ(seen.read.firstRows[0].line, 4);
    EXPECT_EQ(seen.read.firstRows[0].fields, (QStringList{"20160908080", "35305", "11111", "16"}));
}

TEST(TableImportTest, ColumnsAreToldByWhatTheyHold)
{
    // An eight-digit date that also reads as a two-digit-sequence issue stays a date.
    ImportScan seen = scanText("2012040501,20120405,12345\n2012040502,20120405,54321\n");
    EXPECT_EQ(seen.layout.roles,
              (std::vector<ColumnRole>{ColumnRole::Issue, ColumnRole::Date, ColumnRole::Digits}));
    EXPECT_EQ(seen.read.draws.size(), 2u);
    // Two-digit-year issues and draws are both five digits: the issues run in order.
    seen = scanText("09033 26101\n12345 26102\n45678 26103\n00000 26104\n");
    EXPECT_EQ(seen.layout.roles, (std::vector<ColumnRole>{ColumnRole::Digits, ColumnRole::Issue}));
    EXPECT_EQ(seen.read.newestIssue(), 26104);
    // A trial draw or sales before the draw are not the draw.
    seen = scanText("期号,试机号,销售金额,开奖号码\n20160908078,11111,98765,35305\n");
    EXPECT_EQ(seen.layout.column(ColumnRole::Digits), 3);
}

TEST(TableImportTest, DrawsADayFromTheWholeDaysOfTheFile)
{
    const auto days = [](int drawsPerDay, const char *after = "") {
        QByteArray text;
        for (int day = 21; day <= 23; ++day) {
            for (int seq = 1; seq <= drawsPerDay; ++seq)
                text += QStringLiteral("201604%1%2,12345\n")
                            .arg(day)
                            .arg(seq, 3, 10, QLatin1Char('0'))
                            .toLatin1();
        }
        return TableImport::scan(text + after);
    };
    EXPECT_EQ(days(84).games.candidates().front(), *Game::make(84, IssueForm::DateSequence3));
    const ImportScan many = days(288);
    EXPECT_EQ(many.games.candidates(),
              (std::vector<Game>{*Game::make(288, IssueForm::DateSequence3)}));
    EXPECT_EQ(many.read.draws.size(), 3u * 288);
    EXPECT_EQ(many.games.fit(Game::standard()).reason.toStdString(),
              "文件每天 288 期，本历史库是 时时彩（每天 120 期）");
    // Without a whole day, the largest sequence says it; with them, a mistyped one does not.
    EXPECT_EQ(scanText("20160421288 12345\n").games.fit(Game::standard()).reason.toStdString(),
              "每天 120 期，序号 288 不存在");
    EXPECT_TRUE(days(120, "20160422999,12345\n").games.fit(Game::standard()).fits);
    EXPECT_EQ(days(84).games.fit(Game::standard()).reason.toStdString(),
              "文件每天 84 期，本历史库是 时时彩（每天 120 期）");

    const ImportScan year = scanText("2026101 09033\n2026102 12345\n");
    EXPECT_TRUE(year.games.fit(yearly()).fits);
    EXPECT_EQ(year.games.fit(Game::standard()).reason.toStdString(),
              "期号是 年份+三位序号，本历史库是 时时彩（每天 120 期）");
}

TEST(TableImportTest, EveryFaultyRowIsRefusedWithItsLineAndReason)
{
    ImportScan seen = scanText("期号,开奖日期,开奖号码\n"
                                  "2026101,2026-04-21,09033\n"
                                  "2026102,2026-04-22,0903\n"
                                  "2026102,2026-04-22,12345\n"
                                  "2026102,2026-04-23,11111\n"
                                  "2026105,2026-04-25,22222\n"
                                  "2026103,2026-04-24,33333\n"
                                  "2026106,2026-04-25,44444\n"
                                  ",2026-04-26,55555\n"
                                  "2026000,2026-04-26,55555\n"
                                  "2026107,2026-13-01,55555\n"
                                  "2026107,2026-04-27,5a555\n");
    ASSERT_EQ(seen.read.game, yearly());
    EXPECT_EQ(
        messages(seen.read),
        (std::vector<std::string>{"第 3 行：开奖号码只有 4 位", "第 5 行：期号 2026102 重复",
                                  "第 7 行：期号 2026103 排在 2026105 之后，顺序不对",
                                  "第 8 行：2026-04-25 已有一期（每天一期）", "第 9 行：没有期号",
                                  "第 10 行：序号 000 不存在", "第 11 行：日期 2026-13-01 读不出",
                                  "第 12 行：开奖号码 5a555 不是五个数字"}));
    EXPECT_EQ(seen.read.drawLines, (std::vector<qsizetype>{2, 4, 6}));
    EXPECT_EQ(seen.read.firstRows[1].refusal.toStdString(), "开奖号码只有 4 位");
    EXPECT_TRUE(seen.read.firstRows[2].refusal.isEmpty());
    expectEveryLineCounted(seen.read);

    seen = scanText("2017032801,1,2,3,4,5\n2017032897,1,2,3,4,5\n2017032802,1,2,3,4\n");
    TableImport::choose(seen, seen.layout, *Game::make(96, IssueForm::DateSequence2));
    EXPECT_EQ(messages(seen.read), (std::vector<std::string>{"第 2 行：每天 96 期，序号 97 不存在",
                                                             "第 3 行：没有第 5 位号码"}));

    seen = scanText("20160908078 12345\n2026101 54321\n20160908079 11111\n");
    EXPECT_EQ(messages(seen.read),
              (std::vector<std::string>{
                  "第 2 行：期号 2026101 不合本彩种，期号应为 日期+三位序号，如 20160908078"}));

    seen = scanText("20160908078,2016-09-08,12345\n20160908079,2016-09-09,12345\n");
    EXPECT_EQ(messages(seen.read),
              (std::vector<std::string>{"第 2 行：日期 2016-09-09 与期号 20160908079 不符"}));
    // Read as another game, every issue of the file is of the wrong form.
    TableImport::choose(seen, seen.layout, yearly());
    EXPECT_EQ(seen.verdict, FileVerdict::NoDraws);
    EXPECT_EQ(seen.read.refused.size(), 2u);
}

TEST(TableImportTest, TheTableStartsAtItsFirstRowEvenAFaultyOne)
{
    const ImportScan seen = scanText("重庆时时彩开奖记录 2016 年\n\n期号,开奖号码\n"
                                        "20160908078,3530\n20160908079,35305\n"
                                        "期号,开奖号码\n20160908080,12345\n\n");
    EXPECT_EQ(seen.layout.firstRowLine, 4);
    EXPECT_EQ(seen.layout.headerLine, 3);
    EXPECT_EQ(messages(seen.read), (std::vector<std::string>{"第 4 行：开奖号码只有 4 位"}));
    EXPECT_EQ(seen.read.drawLines, (std::vector<qsizetype>{5, 7}));
    EXPECT_EQ(seen.read.skippedLines, 5); // title, blank, header, header again, blank
    expectEveryLineCounted(seen.read);
}

TEST(TableImportTest, TwoADayByYearCountsTheDrawsOfADate)
{
    const ImportScan seen = scanText("2026101 2026-04-21 11111\n2026102 2026-04-21 22222\n"
                                        "2026103 2026-04-22 33333\n2026104 2026-04-22 44444\n"
                                        "2026105 2026-04-22 55555\n2026106 2026-04-23 66666\n"
                                        "2026107 2026-04-23 77777\n");
    const Game twice = *Game::make(2, IssueForm::YearSequence4);
    EXPECT_EQ(seen.games.candidates().front(), twice);
    EXPECT_EQ(seen.games.fit(yearly()).reason.toStdString(),
              "文件每天 2 期，本历史库是 每天一期（期号 年份+年内序号）");
    EXPECT_EQ(messages(seen.read),
              (std::vector<std::string>{"第 5 行：2026-04-22 已有 2 期（每天 2 期）"}));
}

TEST(TableImportTest, RolesTheUserSetsAreRead)
{
    ImportScan seen = scanText("2026101,2026-04-21,09033,12345\n");
    TableLayout layout = seen.layout;
    layout.roles = {ColumnRole::Issue, ColumnRole::Other, ColumnRole::Other, ColumnRole::Digits};
    TableImport::choose(seen, layout, yearly());
    ASSERT_TRUE(seen.ok());
    EXPECT_EQ(seen.read.draws, (std::vector<HistoryLine>{{26101, {1, 2, 3, 4, 5}, 0}}));
    layout.roles = {ColumnRole::Issue, ColumnRole::Date};
    TableImport::choose(seen, layout, yearly());
    EXPECT_EQ(messages(seen.read), (std::vector<std::string>{"第 1 行：没有第 1 位号码"}));
    EXPECT_EQ(seen.message.toStdString(), "文件中没有可读入的开奖号码");

    // Another issue column: the games offered are those of its issues.
    seen = scanText("20160908078,2026101,09033\n");
    EXPECT_EQ(seen.games.candidates().front(), Game::standard());
    layout = seen.layout;
    layout.roles = {ColumnRole::Other, ColumnRole::Issue, ColumnRole::Digits};
    TableImport::choose(seen, layout, yearly());
    EXPECT_EQ(seen.games.candidates().front(), yearly());
    EXPECT_EQ(seen.read.newestIssue(), 26101);
}

namespace {

// Prose without end, as a huge file that holds no draw.
class ProseDevice : public QIODevice
{
  public:
    explicit ProseDevice(qint64 size) : m_size(size) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }
    qint64 handedOut() const { return m_given; }

  protected:
    qint64 readData(char *data, qint64 most) override
    {
        static const QByteArray line = "这一行没有开奖号码，只有 12 个字。\n";
        const qint64 count = std::min(most, m_size - m_given);
        for (qint64 i = 0; i < count; ++i)
            data[i] = line[(m_given + i) % line.size()];
        m_given += count;
        return count > 0 ? count : -1;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

  private:
    qint64 m_size;
    qint64 m_given = 0;
};

} // namespace

TEST(TableImportTest, NoTextOrNoDrawIsRefusedAtOnce)
{
    EXPECT_EQ(TableImport::scan(QByteArray()).verdict, FileVerdict::Empty);
    const ImportScan binary = TableImport::scan(QByteArray("20160908078 12345\0\x01\x02", 21));
    EXPECT_EQ(binary.verdict, FileVerdict::Binary);
    EXPECT_FALSE(binary.message.isEmpty());
    EXPECT_EQ(TableImport::scan(QByteArray(4000, '\x07')).verdict, FileVerdict::Binary);

    const ImportScan prose = scanText("期号 开奖号码\n没有数据\n2026 年\n");
    EXPECT_EQ(prose.verdict, FileVerdict::NoDraws);
    EXPECT_EQ(prose.message.toStdString(), "文件中没有可读入的开奖号码");

    ProseDevice huge(qint64(1) << 31);
    const ImportScan large = TableImport::scan(huge);
    EXPECT_EQ(large.verdict, FileVerdict::NoDraws);
    EXPECT_TRUE(large.stoppedEarly);
    EXPECT_LE(huge.handedOut(), 2 * TableImport::kProbeBytes);
}

TEST(TableImportTest, IssueFormsOfFileTexts)
{
    EXPECT_EQ(Game::formOfText(u"20160908078"), IssueForm::DateSequence3);
    EXPECT_EQ(Game::formOfText(u"160908078"), IssueForm::DateSequence3);
    EXPECT_EQ(Game::formOfText(u"20160116-023"), IssueForm::DateSequence3);
    EXPECT_EQ(Game::formOfText(u"2017032801"), IssueForm::DateSequence2);
    EXPECT_EQ(Game::formOfText(u"2026101"), IssueForm::YearSequence4);
    EXPECT_EQ(Game::formOfText(u"2026-101"), IssueForm::YearSequence4);
    EXPECT_EQ(Game::formOfText(u"26101"), IssueForm::YearSequence2);
    EXPECT_EQ(Game::formOfText(u"26/101"), IssueForm::YearSequence2);
    EXPECT_EQ(Game::formOfText(u"123456"), std::nullopt);
    EXPECT_EQ(Game::formOfText(u"2026-04-21"), std::nullopt);
}
