#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <ostream>
#include <vector>

// Readable failure messages for the Qt types the tests compare.
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList &list, std::ostream *os)
{
    *os << "{";
    for (const QString &s : list)
        *os << "\n  " << s.toStdString();
    *os << (list.isEmpty() ? "}" : "\n}");
}

namespace quorlent::test {

// A workbook as read back by Debian's python3-xlrd through tests/output/xls_read.py, with the
// structural faults that script found in the file.
struct ReadCell
{
    bool isNumber = false;
    double number = 0;
    QString text;
};

struct ReadSheet
{
    QString name;
    int rows = 0;
    int columns = 0;
    QHash<qint64, ReadCell> cells; // key: row * 256 + column; empty cells are absent

    const ReadCell *at(int row, int column) const
    {
        const auto it = cells.constFind(qint64(row) * 256 + column);
        return it == cells.constEnd() ? nullptr : &*it;
    }
};

struct ReadWorkbook
{
    QString failure; // why the file could not be read at all; empty when it was
    QStringList problems;
    std::vector<ReadSheet> sheets;
    int difatSectors = 0;
    qint64 streamSize = 0;
    QByteArray streamSha256; // hex
    int sstRecords = 0;      // the SST record and its CONTINUE records
    int codepage = 0;
};

// A python3 that can import xlrd: $QUORLENT_PYTHON, /usr/bin/python3 or python3 on the PATH.
// Empty when there is none.
QString pythonWithXlrd();

ReadWorkbook readWorkbook(const QString &path);
// Only the compound file: the stream's size and hash, and the faults found.
ReadWorkbook readStream(const QString &path);

} // namespace quorlent::test

namespace quorlent::test {

inline qint64 cellKey(int row, int column)
{
    return qint64(row) * 256 + column;
}
inline ReadCell numberCell(double v)
{
    ReadCell c;
    c.isNumber = true;
    c.number = v;
    return c;
}
inline ReadCell textCell(const QString &s)
{
    ReadCell c;
    c.text = s;
    return c;
}

// What differs between the cells read back and the expected ones (missing, extra or changed
// cells), at most `limit` lines followed by the total count.
QStringList differences(const ReadSheet &sheet, const QHash<qint64, ReadCell> &expected,
                        int limit = 10);

} // namespace quorlent::test
