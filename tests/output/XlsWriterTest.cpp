#include "XlsWriter.h"
#include "XlsReadBack.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

using namespace quorlent;
using namespace quorlent::test;

namespace {

// Writes the workbook to a file, reads it back with xlrd and fails on any fault in the file.
ReadWorkbook roundTrip(XlsWriter &writer, const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("book.xls"));
    EXPECT_TRUE(writer.write(path)) << qPrintable(writer.errorString());
    ReadWorkbook book = readWorkbook(path);
    EXPECT_EQ(book.failure, QString()) << qPrintable(book.failure);
    EXPECT_EQ(book.problems, QStringList()) << qPrintable(book.problems.join('\n'));
    return book;
}

// Fills writer and expectation together.
struct Sheet
{
    XlsWriter &writer;
    int index;
    QHash<qint64, ReadCell> expected;

    void number(int row, int column, double v)
    {
        ASSERT_TRUE(writer.setNumber(index, row, column, v)) << row << "," << column;
        expected.insert(cellKey(row, column), numberCell(v));
    }
    void text(int row, int column, const QString &s)
    {
        ASSERT_TRUE(writer.setText(index, row, column, s)) << row << "," << column;
        if (s.isEmpty())
            expected.remove(cellKey(row, column));
        else
            expected.insert(cellKey(row, column), textCell(s));
    }
};

QString randomText(std::mt19937 &rng, int length)
{
    // Latin-1 letters (one byte each in the file), CJK (two bytes) and emoji (surrogate pairs).
    static const QString pool = QStringLiteral("abcxyzABC019 .%éßü期号第位上开奖小大百分比");
    QString s;
    while (s.size() < length) {
        const unsigned pick = rng() % 20;
        if (pick == 0)
            s += QString::fromUcs4(U"\U0001F600");
        else
            s += pool.at(qsizetype(rng() % pool.size()));
    }
    return s;
}

TEST(XlsWriterTest, WorkbookWithoutCellsStillOpens)
{
    QTemporaryDir dir;
    {
        XlsWriter writer; // no sheet at all: Excel needs one
        const ReadWorkbook book = roundTrip(writer, dir);
        ASSERT_EQ(book.sheets.size(), 1u);
        EXPECT_EQ(book.sheets[0].name, "Sheet1");
        EXPECT_EQ(book.sheets[0].rows, 0);
        EXPECT_EQ(book.codepage, 1200);
    }
    {
        XlsWriter writer;
        ASSERT_EQ(writer.addSheet(QStringLiteral("空表")), 0);
        ASSERT_EQ(writer.addSheet(QStringLiteral("Zweite")), 1);
        ASSERT_TRUE(writer.setText(1, 0, 0, QStringLiteral("x")));
        const ReadWorkbook book = roundTrip(writer, dir);
        ASSERT_EQ(book.sheets.size(), 2u);
        EXPECT_EQ(book.sheets[0].name, QStringLiteral("空表"));
        EXPECT_EQ(book.sheets[0].rows, 0);
        EXPECT_EQ(book.sheets[1].name, "Zweite");
        EXPECT_EQ(book.sheets[1].cells.size(), 1);
    }
}

TEST(XlsWriterTest, SheetNamesExcelWouldRefuseAreRejected)
{
    XlsWriter writer;
    const QString longest(31, QLatin1Char('x'));
    const QStringList accepted{QStringLiteral("历史号码"), QStringLiteral("Übersicht"), longest,
                               QStringLiteral("it's"), QStringLiteral("Sheet 2 (b)")};
    for (const QString &name : accepted)
        EXPECT_GE(writer.addSheet(name), 0) << qPrintable(name);

    const QStringList refused{QString(),
                              QString(32, QLatin1Char('y')),
                              QStringLiteral("a[b"),
                              QStringLiteral("a]b"),
                              QStringLiteral("a:b"),
                              QStringLiteral("a*b"),
                              QStringLiteral("a?b"),
                              QStringLiteral("a/b"),
                              QStringLiteral("a\\b"),
                              QStringLiteral("'quoted"),
                              QStringLiteral("quoted'"),
                              QStringLiteral("历史号码"),
                              QStringLiteral("übersicht"),
                              longest.toUpper()};
    for (const QString &name : refused)
        EXPECT_EQ(writer.addSheet(name), -1) << qPrintable(name);
    ASSERT_EQ(writer.sheetCount(), accepted.size());

    QTemporaryDir dir;
    const ReadWorkbook book = roundTrip(writer, dir);
    ASSERT_EQ(book.sheets.size(), size_t(accepted.size()));
    for (int i = 0; i < accepted.size(); ++i)
        EXPECT_EQ(book.sheets[size_t(i)].name, accepted[i]);
}

TEST(XlsWriterTest, CellsBeyondTheSheetAndNonFiniteNumbersAreRefused)
{
    XlsWriter writer;
    const int s = writer.addSheet(QStringLiteral("Sheet1"));
    EXPECT_FALSE(writer.setText(s, XlsWriter::kMaxRows, 0, QStringLiteral("x")));
    EXPECT_FALSE(writer.setText(s, 0, XlsWriter::kMaxColumns, QStringLiteral("x")));
    EXPECT_FALSE(writer.setNumber(s, -1, 0, 1));
    EXPECT_FALSE(writer.setNumber(s, 0, -1, 1));
    EXPECT_FALSE(writer.setNumber(s + 1, 0, 0, 1));
    EXPECT_FALSE(writer.setNumber(-1, 0, 0, 1));
    EXPECT_FALSE(writer.setNumber(s, 0, 0, std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(writer.setNumber(s, 0, 0, std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(writer.setNumber(s, 0, 0, -std::numeric_limits<double>::infinity()));

    // The far corners are still inside.
    Sheet sheet{writer, s, {}};
    sheet.text(XlsWriter::kMaxRows - 1, XlsWriter::kMaxColumns - 1, QStringLiteral("末"));
    sheet.number(XlsWriter::kMaxRows - 1, 0, 65536);
    sheet.number(0, XlsWriter::kMaxColumns - 1, 256);
    QTemporaryDir dir;
    const ReadWorkbook book = roundTrip(writer, dir);
    ASSERT_EQ(book.sheets.size(), 1u);
    EXPECT_EQ(book.sheets[0].rows, XlsWriter::kMaxRows);
    EXPECT_EQ(book.sheets[0].columns, XlsWriter::kMaxColumns);
    EXPECT_EQ(differences(book.sheets[0], sheet.expected), QStringList());
}

TEST(XlsWriterTest, NumbersAndTextsSurviveTheRoundTrip)
{
    XlsWriter writer;
    Sheet sheet{writer, writer.addSheet(QStringLiteral("Sheet1")), {}};
    // Each form a number can take in the file: small integers (RK), integers just outside
    // RK's 30 bits, doubles with and without a short mantissa, negatives, the largest integers
    // a cell keeps exactly.
    const double numbers[] = {
        0,          1,          9,           -1,          536870911,       536870912,
        -536870912, -536870913, 20070908078, 20160908078, 999999999999999, 0.5,
        -0.25,      1.75,       0.1,         3.14159,     -1e-300,         1e300,
        1e15,       123456.789};
    int row = 0;
    for (double v : numbers)
        sheet.number(row++, 0, v);

    // Runs of adjacent numbers, broken by texts, gaps and numbers that need all 64 bits.
    row = 30;
    for (int c = 0; c < 10; ++c)
        sheet.number(row, c, c);
    sheet.text(row, 10, QStringLiteral("分隔"));
    sheet.number(row, 11, 7);
    sheet.number(row, 12, -8);
    sheet.number(row, 13, 0.1);
    sheet.number(row, 14, 2);
    sheet.number(row, 20, 3);
    sheet.number(row, 21, 0.5);
    sheet.number(row, 22, 20070908078);
    for (int c = 0; c < XlsWriter::kMaxColumns; ++c)
        sheet.number(row + 1, c, c * 3 - 100);

    const QStringList texts{QStringLiteral("03133"),
                            QStringLiteral("50.000%"),
                            QStringLiteral("期号"),
                            QStringLiteral("第1位"),
                            QStringLiteral("上期开奖"),
                            QStringLiteral("小/大"),
                            QStringLiteral("百分比"),
                            QStringLiteral("café ÿ"),
                            QStringLiteral("mixed café 期号"),
                            QString::fromUcs4(U"emoji \U0001F600 and \U00020BB7"),
                            QStringLiteral(" leading and trailing "),
                            QStringLiteral("line\nbreak\ttab"),
                            QString(1, QChar(0x00A0))};
    row = 40;
    for (const QString &t : texts)
        sheet.text(row++, 1, t);
    sheet.text(row++, 2, QString(XlsWriter::kMaxTextLength, QLatin1Char('m')));

    QTemporaryDir dir;
    const ReadWorkbook book = roundTrip(writer, dir);
    ASSERT_EQ(book.sheets.size(), 1u);
    EXPECT_EQ(differences(book.sheets[0], sheet.expected), QStringList());
}

TEST(XlsWriterTest, LaterValuesReplaceEarlierOnesWhateverTheOrder)
{
    XlsWriter writer;
    Sheet sheet{writer, writer.addSheet(QStringLiteral("Sheet1")), {}};
    // Bottom-up and right-to-left, as a grid export never does.
    for (int r = 99; r >= 0; --r) {
        for (int c = 5; c >= 0; --c) {
            if ((r + c) % 2)
                sheet.number(r, c, r * 10 + c);
            else
                sheet.text(r, c, QStringLiteral("t%1_%2").arg(r).arg(c));
        }
    }
    sheet.text(3, 3, QStringLiteral("replaced number"));
    sheet.number(4, 4, 44);                         // replaces a text that is then in no cell
    sheet.text(5, 5, QString());                    // clears
    sheet.text(6, 6, QStringLiteral("new column")); // outside the old extent
    sheet.number(6, 6, 66);
    sheet.text(2, 2, QStringLiteral("a"));
    sheet.text(2, 2, QStringLiteral("b"));
    sheet.text(7, 1, QString()); // clearing an empty place is harmless
    sheet.text(7, 1, QString());

    QTemporaryDir dir;
    const ReadWorkbook book = roundTrip(writer, dir);
    ASSERT_EQ(book.sheets.size(), 1u);
    EXPECT_EQ(differences(book.sheets[0], sheet.expected), QStringList());
}

TEST(XlsWriterTest, SparseRowsAndColumnsKeepTheirPlaces)
{
    XlsWriter writer;
    Sheet sheet{writer, writer.addSheet(QStringLiteral("Sheet1")), {}};
    const int rows[] = {2, 3, 31, 32, 33, 63, 64, 65, 100, 1000, 1031, 40000, 65534, 65535};
    int n = 0;
    for (int r : rows) {
        sheet.number(r, (n * 37) % 256, r);
        if (n % 3 == 0)
            sheet.text(r, 255 - n, QStringLiteral("r%1").arg(r));
        ++n;
    }
    // A second sheet of many 32-row blocks, some rows with a single cell far right.
    Sheet second{writer, writer.addSheet(QStringLiteral("Sheet2")), {}};
    for (int r = 5; r < 5000; r += 3) {
        if (r % 7 == 0)
            second.number(r, 200, r);
        else
            second.text(r, r % 5, QStringLiteral("%1").arg(r % 11));
    }

    QTemporaryDir dir;
    const ReadWorkbook book = roundTrip(writer, dir);
    ASSERT_EQ(book.sheets.size(), 2u);
    EXPECT_EQ(differences(book.sheets[0], sheet.expected), QStringList());
    EXPECT_EQ(differences(book.sheets[1], second.expected), QStringList());
}

TEST(XlsWriterTest, LargeSharedStringTableContinuesAcrossRecords)
{
    XlsWriter writer;
    Sheet sheet{writer, writer.addSheet(QStringLiteral("Sheet1")), {}};
    std::mt19937 rng(20070908);
    // Lengths chosen so that record boundaries fall at every kind of place: inside a header,
    // right after one, inside a two-byte character, between the halves of a surrogate pair.
    for (int i = 0; i < 4000; ++i)
        sheet.text(i / 8, i % 8, randomText(rng, 1 + int(rng() % 300)));
    // Strings far longer than a record, one byte and two bytes a character.
    sheet.text(600, 0, QString(20000, QLatin1Char('L')));
    QString wide;
    while (wide.size() < 20000)
        wide += QStringLiteral("期号第位上开奖");
    sheet.text(600, 1, wide);
    // Longer than a cell may be: cut to Excel's limit, never between the halves of a pair.
    QString emoji;
    while (emoji.size() < XlsWriter::kMaxTextLength + 100)
        emoji += QString::fromUcs4(U"\U0001F600");
    ASSERT_TRUE(writer.setText(sheet.index, 600, 2, emoji));
    ASSERT_TRUE(emoji.at(XlsWriter::kMaxTextLength - 1).isHighSurrogate());
    sheet.expected.insert(cellKey(600, 2), textCell(emoji.left(XlsWriter::kMaxTextLength - 1)));
    ASSERT_TRUE(writer.setText(sheet.index, 600, 3, QString(40000, QLatin1Char('c'))));
    sheet.expected.insert(cellKey(600, 3),
                          textCell(QString(XlsWriter::kMaxTextLength, QLatin1Char('c'))));
    // The same texts again: they are shared, not stored twice.
    for (int i = 0; i < 500; ++i)
        sheet.text(700 + i, 0, sheet.expected.value(cellKey(i / 8, i % 8)).text);

    QTemporaryDir dir;
    const ReadWorkbook book = roundTrip(writer, dir);
    ASSERT_EQ(book.sheets.size(), 1u);
    EXPECT_GT(book.sstRecords, 20); // the table really was continued, many times
    EXPECT_EQ(differences(book.sheets[0], sheet.expected), QStringList());
}

TEST(XlsWriterTest, WritesToAnyOpenDeviceAndRefusesOthers)
{
    XlsWriter writer;
    Sheet sheet{writer, writer.addSheet(QStringLiteral("Sheet1")), {}};
    sheet.text(0, 0, QStringLiteral("期号"));
    sheet.number(1, 0, 20070908078);

    QBuffer closed;
    EXPECT_FALSE(writer.write(&closed));
    EXPECT_FALSE(writer.errorString().isEmpty());
    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    EXPECT_FALSE(writer.write(&readOnly));
    EXPECT_FALSE(writer.write(static_cast<QIODevice *>(nullptr)));

    QBuffer buffer;
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    ASSERT_TRUE(writer.write(&buffer)) << qPrintable(writer.errorString());
    EXPECT_TRUE(writer.errorString().isEmpty());
    EXPECT_EQ(buffer.data().size() % 512, 0);

    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("from-buffer.xls")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(buffer.data());
    file.close();
    const ReadWorkbook book = readWorkbook(file.fileName());
    ASSERT_EQ(book.failure, QString());
    EXPECT_EQ(book.problems, QStringList());
    ASSERT_EQ(book.sheets.size(), 1u);
    EXPECT_EQ(differences(book.sheets[0], sheet.expected), QStringList());
}

} // namespace
