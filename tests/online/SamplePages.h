#pragma once

#include "DrawCodes.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

// Results pages written for these tests: a page layout of our own with the "draw_list" table
// among other markup, as a real site would surround it.
namespace quorlent::test {

// The digits every sample page shows for a draw: varied, but the same for the same draw.
Digits sampleDigits(const QDate &date, int sequence);

// "20" + yymmdd + nnn.
QString issueText(const QDate &date, int sequence);

// "3 5 3 0 5".
QString digitText(const Digits &digits);

struct SampleRow
{
    QString issueCell;
    QString digitCell; // HTML, inserted as it is
};

// The rows of a day's page for the given sequences, each with sampleDigits.
QList<SampleRow> dayRows(const QDate &date, int first, int last);

enum class RowOrder { NewestFirst, OldestFirst };

// A whole page with the draw table holding a header row and `rows`: newest first, as results
// sites usually list them, unless told otherwise.
QByteArray resultsPage(const QList<SampleRow> &rows, RowOrder order = RowOrder::NewestFirst);
QByteArray dayPage(const QDate &date, int first, int last, RowOrder order = RowOrder::NewestFirst);

// A page whose draw table has no rows at all, and one without the table.
QByteArray emptyTablePage();
QByteArray pageWithoutTable();

} // namespace quorlent::test
