#include "GridExport.h"
#include "GeneratedModel.h"
#include "XlsReadBack.h"
#include "XlsWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

using namespace quorlent;
using namespace quorlent::test;

namespace {

QByteArray fileContents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

// Exports, reads back with xlrd and fails on any fault in the file.
ReadWorkbook exportAndRead(const QAbstractItemModel &model, const QString &path)
{
    const QString error = GridExport::write(model, path);
    EXPECT_EQ(error, QString());
    ReadWorkbook book = readWorkbook(path);
    EXPECT_EQ(book.failure, QString());
    EXPECT_EQ(book.problems, QStringList()) << qPrintable(book.problems.join('\n'));
    return book;
}

// The sheet a grid should give, the header in row 0: texts and numbers as the test says.
struct ExpectedCell
{
    QString text;
    bool isNumber;
};

TEST(GridExportTest, OnlyCanonicalIntegersOfAtMost15DigitsBecomeNumbers)
{
    const std::pair<const char16_t *, double> numbers[] = {
        {u"0", 0},
        {u"7", 7},
        {u"10", 10},
        {u"3133", 3133},
        {u"20070908078", 20070908078.0},
        {u"999999999999999", 999999999999999.0},
        {u"100000000000000", 100000000000000.0},
    };
    for (const auto &[text, value] : numbers) {
        double got = -1;
        EXPECT_TRUE(GridExport::isNumberText(QStringView(text), &got))
            << QString::fromUtf16(text).toStdString();
        EXPECT_EQ(got, value);
    }
    const char16_t *texts[] = {
        u"",
        u"03133",
        u"00",
        u"0000000000000001",
        u"1000000000000000", // leading zeros, 16 digits
        u"-1",
        u"+1",
        u"1.0",
        u"1e5",
        u"50.000%",
        u" 1",
        u"1 ",
        u"1,000",
        u"0x10",
        u"１２", // full-width digits
        u"٣",
        u"小",
        u"12a",
        u"\u00B2",
        u"1\u200B",
    };
    for (const char16_t *text : texts)
        EXPECT_FALSE(GridExport::isNumberText(QStringView(text)))
            << QString::fromUtf16(text).toStdString();
}

TEST(GridExportTest, GridWithOnlyItsHeaderGivesTheHeaderRow)
{
    QStandardItemModel model(0, 4);
    model.setHorizontalHeaderLabels({QStringLiteral("期号"), QStringLiteral("第1位"),
                                     QStringLiteral("百分比"), QStringLiteral("12")});
    QTemporaryDir dir;
    const ReadWorkbook book = exportAndRead(model, dir.filePath(QStringLiteral("Jieguo.xls")));
    ASSERT_EQ(book.sheets.size(), 1u);
    const ReadSheet &sheet = book.sheets[0];
    EXPECT_EQ(sheet.name, "Sheet1");
    EXPECT_EQ(sheet.rows, 1);
    EXPECT_EQ(differences(sheet, {{cellKey(0, 0), textCell(QStringLiteral("期号"))},
                                  {cellKey(0, 1), textCell(QStringLiteral("第1位"))},
                                  {cellKey(0, 2), textCell(QStringLiteral("百分比"))},
                                  {cellKey(0, 3), numberCell(12)}}),
              QStringList());
}

TEST(GridExportTest, ChineseGridIsCopiedCellForCell)
{
    // A hit list and a tally as the window shows them: the header, draws with their leading
    // zeros, digits, size classes, shares.
    const std::vector<std::vector<ExpectedCell>> grid = {
        {{"期号", false},
         {"第1位", false},
         {"第2位", false},
         {"上期开奖", false},
         {"小/大", false},
         {"百分比", false}},
        {{"20070908078", true},
         {"0", true},
         {"3", true},
         {"03133", false},
         {"小", false},
         {"50.000%", false}},
        {{"20070908079", true},
         {"9", true},
         {"", false},
         {"98765", true},
         {"大", false},
         {"12.500%", false}},
        {{"20070908080", true},
         {"", false},
         {"1", true},
         {"00000", false},
         {"小/大", false},
         {"100.000%", false}},
    };
    QStandardItemModel model(int(grid.size()) - 1, int(grid[0].size()));
    QHash<qint64, ReadCell> expected;
    for (size_t r = 0; r < grid.size(); ++r) {
        for (size_t c = 0; c < grid[r].size(); ++c) {
            const QString text = grid[r][c].text;
            if (r == 0)
                model.setHorizontalHeaderItem(int(c), new QStandardItem(text));
            else
                model.setItem(int(r) - 1, int(c), new QStandardItem(text));
            if (!text.isEmpty()) {
                expected.insert(cellKey(int(r), int(c)),
                                grid[r][c].isNumber ? numberCell(text.toDouble()) : textCell(text));
            }
        }
    }
    QTemporaryDir dir;
    const ReadWorkbook book = exportAndRead(model, dir.filePath(QStringLiteral("Jiansuo.xls")));
    ASSERT_EQ(book.sheets.size(), 1u);
    EXPECT_EQ(book.sheets[0].name, "Sheet1");
    EXPECT_EQ(book.sheets[0].rows, int(grid.size()));
    EXPECT_EQ(differences(book.sheets[0], expected), QStringList());
}

// A history-like grid: issue, draw with leading zeros, one digit, a text column.
QString historyCell(int row, int column)
{
    switch (column) {
    case 0:
        return QString::number(20070908001LL + row);
    case 1:
        return QStringLiteral("%1").arg((row * 7919) % 100000, 5, 10, QLatin1Char('0'));
    case 2:
        return QString::number(row % 10);
    default:
        return row % 2 ? QStringLiteral("大") : QStringLiteral("小");
    }
}

ReadCell expectedHistoryCell(int row, int column)
{
    const QString text = historyCell(row, column);
    // Draws with a leading zero stay text; the others, issues and digits are numbers.
    const bool number = column != 3 && (column != 1 || !text.startsWith(QLatin1Char('0')));
    return number ? numberCell(text.toDouble()) : textCell(text);
}

TEST(GridExportTest, LongGridGoesOnInFurtherSheetsUnderTheSameHeader)
{
    const QStringList header{QStringLiteral("期号"), QStringLiteral("开奖号码"),
                             QStringLiteral("第1位"), QStringLiteral("小/大")};
    const int rows = 70000;
    GeneratedModel model(header, rows, historyCell);
    QTemporaryDir dir;
    const ReadWorkbook book = exportAndRead(model, dir.filePath(QStringLiteral("lishi.xls")));
    ASSERT_EQ(book.sheets.size(), 2u);

    const int perSheet = XlsWriter::kMaxRows - 1;
    int seen = 0;
    for (int s = 0; s < 2; ++s) {
        const ReadSheet &sheet = book.sheets[size_t(s)];
        EXPECT_EQ(sheet.name, QStringLiteral("Sheet%1").arg(s + 1));
        QHash<qint64, ReadCell> expected;
        for (int c = 0; c < header.size(); ++c)
            expected.insert(cellKey(0, c), textCell(header[c]));
        for (int r = s * perSheet; r < std::min(rows, (s + 1) * perSheet); ++r) {
            for (int c = 0; c < header.size(); ++c)
                expected.insert(cellKey(r - s * perSheet + 1, c), expectedHistoryCell(r, c));
        }
        EXPECT_EQ(differences(sheet, expected), QStringList());
        seen += sheet.rows - 1;
    }
    EXPECT_EQ(book.sheets[0].rows, XlsWriter::kMaxRows);
    EXPECT_EQ(seen, rows);
}

TEST(GridExportTest, WorkbookBeyondSevenMegabytesListsItsFatInDifatSectors)
{
    // Texts that never repeat make the string table large: about 9 MB in all.
    const QStringList header{QStringLiteral("期号"), QStringLiteral("甲"), QStringLiteral("乙"),
                             QStringLiteral("丙"),   QStringLiteral("丁"), QStringLiteral("戊")};
    const int rows = 40000;
    const auto cell = [](int row, int column) {
        return column == 0 ? QString::number(20160908001LL + row)
                           : QStringLiteral("第%1行第%2列").arg(row).arg(column);
    };
    GeneratedModel model(header, rows, cell);
    QTemporaryDir dir;
    const ReadWorkbook book = exportAndRead(model, dir.filePath(QStringLiteral("big.xls")));
    ASSERT_GT(book.streamSize, 109 * 128 * 512) << "too small to need the DIFAT";
    EXPECT_GE(book.difatSectors, 1);
    ASSERT_EQ(book.sheets.size(), 1u);
    QHash<qint64, ReadCell> expected;
    for (int c = 0; c < header.size(); ++c)
        expected.insert(cellKey(0, c), textCell(header[c]));
    for (int r = 0; r < rows; ++r) {
        expected.insert(cellKey(r + 1, 0), numberCell(double(20160908001LL + r)));
        for (int c = 1; c < header.size(); ++c)
            expected.insert(cellKey(r + 1, c), textCell(cell(r, c)));
    }
    EXPECT_EQ(differences(book.sheets[0], expected), QStringList());
}

TEST(GridExportTest, RepeatedExportReplacesTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lishi.xls"));
    const QStringList header{QStringLiteral("期号"), QStringLiteral("开奖号码"),
                             QStringLiteral("第1位"), QStringLiteral("小/大")};
    GeneratedModel first(header, 3000, historyCell);
    ASSERT_EQ(GridExport::write(first, path), QString());

    GeneratedModel second({QStringLiteral("号码"), QStringLiteral("次数")}, 3, [](int r, int c) {
        return c ? QString::number(r + 1) : QStringLiteral("0313%1").arg(r);
    });
    const ReadWorkbook book = exportAndRead(second, path);
    ASSERT_EQ(book.sheets.size(), 1u);
    EXPECT_EQ(differences(book.sheets[0], {{cellKey(0, 0), textCell(QStringLiteral("号码"))},
                                           {cellKey(0, 1), textCell(QStringLiteral("次数"))},
                                           {cellKey(1, 0), textCell(QStringLiteral("03130"))},
                                           {cellKey(1, 1), numberCell(1)},
                                           {cellKey(2, 0), textCell(QStringLiteral("03131"))},
                                           {cellKey(2, 1), numberCell(2)},
                                           {cellKey(3, 0), textCell(QStringLiteral("03132"))},
                                           {cellKey(3, 1), numberCell(3)}}),
              QStringList());
    // No temporary file is left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("lishi.xls")});
}

#ifdef Q_OS_UNIX
// Limits the size of files this process may write, as a full disk would. Windows has no such limit
// for a process: there the full-disk case below is left out.
class FileSizeLimit
{
  public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN); // a failing write() instead of a signal
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool isActive() const { return m_active; }

  private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};
#endif

TEST(GridExportTest, FailedExportReportsItAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lishi.xls"));
    const QByteArray old = "the previous export";
    writeFile(path, old);
    const QStringList header{QStringLiteral("期号"), QStringLiteral("开奖号码"),
                             QStringLiteral("第1位"), QStringLiteral("小/大")};
    GeneratedModel model(header, 20000, historyCell); // about 600 KB

#ifdef Q_OS_UNIX
    {
        // The disk fills up halfway through the file.
        FileSizeLimit limit(64 * 1024);
        ASSERT_TRUE(limit.isActive());
        const QString error = GridExport::write(model, path);
        EXPECT_FALSE(error.isEmpty());
        EXPECT_TRUE(error.contains(QDir::toNativeSeparators(path))) << qPrintable(error);
    }
#endif
    EXPECT_EQ(fileContents(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("lishi.xls")});

    // A folder that cannot exist, since a file stands in its place.
    const QString impossible = dir.filePath(QStringLiteral("lishi.xls/Jiansuo.xls"));
    const QString error = GridExport::write(model, impossible);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(error.contains(QStringLiteral("Jiansuo.xls"))) << qPrintable(error);
    EXPECT_EQ(fileContents(path), old);

    // A grid wider than a sheet is refused before the file is touched.
    GeneratedModel wide(QStringList(300, QStringLiteral("列")), 2,
                        [](int, int c) { return QString::number(c); });
    EXPECT_FALSE(GridExport::write(wide, path).isEmpty());
    EXPECT_EQ(fileContents(path), old);

    QBuffer closed;
    EXPECT_FALSE(GridExport::write(model, &closed).isEmpty());
}

TEST(GridExportTest, GridOfExactlyOneSheetNeedsNoSecond)
{
    const QStringList header{QStringLiteral("期号"), QStringLiteral("开奖号码")};
    GeneratedModel model(header, GridExport::kDataRowsPerSheet, historyCell);
    QTemporaryDir dir;
    const ReadWorkbook book = exportAndRead(model, dir.filePath(QStringLiteral("full.xls")));
    ASSERT_EQ(book.sheets.size(), 1u);
    EXPECT_EQ(book.sheets[0].rows, XlsWriter::kMaxRows);
    const ReadCell *last = book.sheets[0].at(XlsWriter::kMaxRows - 1, 0);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->number, double(20070908001LL + GridExport::kDataRowsPerSheet - 1));
}

TEST(GridExportTest, LibreOfficeShowsTheSameGridOnEverySheet)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        GTEST_SKIP() << "LibreOffice is not installed";

    const QStringList header{QStringLiteral("期号"), QStringLiteral("开奖号码"),
                             QStringLiteral("上期开奖"), QStringLiteral("小/大"),
                             QStringLiteral("百分比")};
    const auto cell = [](int r, int c) -> QString {
        switch (c) {
        case 0:
            return QString::number(20070908001LL + r);
        case 1:
        case 2:
            return r == 0 && c == 2 ? QString()
                                    : QStringLiteral("%1").arg(((r - c + 1) * 7919) % 100000, 5, 10,
                                                               QLatin1Char('0'));
        case 3:
            return r % 3 ? QStringLiteral("小") : QStringLiteral("大");
        default:
            return QStringLiteral("%1%").arg(double(r % 1000) / 10.0, 0, 'f', 3);
        }
    };
    const int rows = GridExport::kDataRowsPerSheet + 10;
    GeneratedModel model(header, rows, cell);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lishi.xls"));
    ASSERT_EQ(GridExport::write(model, path), QString());

    // Every sheet to a CSV file of its own (the last option, -1), in UTF-8 (76), as shown. A
    // profile of its own keeps a LibreOffice the user has open out of it.
    QProcess p;
    p.start(
        soffice,
        {QStringLiteral("-env:UserInstallation=file://") + dir.filePath(QStringLiteral("profile")),
         QStringLiteral("--headless"), QStringLiteral("--convert-to"),
         QStringLiteral(
             "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1"),
         QStringLiteral("--outdir"), dir.filePath(QStringLiteral("csv")), path});
    ASSERT_TRUE(p.waitForFinished(300000)) << "LibreOffice did not finish";

    // A number would have lost a draw's leading zero, a text would show in quotes only if it
    // held a comma: the lines must be the grid's texts exactly.
    for (int s = 0; s < 2; ++s) {
        const QString csvPath = dir.filePath(QStringLiteral("csv/lishi-Sheet%1.csv").arg(s + 1));
        const QStringList lines =
            QString::fromUtf8(fileContents(csvPath)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QStringList expected{header.join(QLatin1Char(','))};
        for (int r = s * GridExport::kDataRowsPerSheet;
             r < std::min(rows, (s + 1) * GridExport::kDataRowsPerSheet); ++r) {
            QStringList texts;
            for (int c = 0; c < header.size(); ++c)
                texts << cell(r, c);
            expected << texts.join(QLatin1Char(','));
        }
        ASSERT_EQ(lines.size(), expected.size()) << qPrintable(csvPath);
        int wrong = 0;
        for (int i = 0; i < lines.size() && wrong < 5; ++i) {
            if (lines[i].trimmed() != expected[i]) {
                ADD_FAILURE() << "Sheet" << s + 1 << " line " << i << ": " << qPrintable(lines[i])
                              << " instead of " << qPrintable(expected[i]);
                ++wrong;
            }
        }
    }
}

} // namespace
