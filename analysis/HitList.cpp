#include "HitList.h"

#include "ComparedDraws.h"

namespace quorlent {

QString HitListLayout::header(int column) const
{
    if (column == Issue)
        return QStringLiteral("期号");
    if (column >= FirstPosition && column < ComparedDraw)
        return QStringLiteral("第%1位").arg(column - FirstPosition + 1);
    if (column == ComparedDraw)
        return previousDraw ? QStringLiteral("上期开奖") : QStringLiteral("前期开奖");
    return {};
}

QString HitListLayout::codeKey() const { return quorlent::codeKey(resultKind, segmentBase); }

QString HitListLayout::comparedDigits(const std::vector<HistoryRow> &rows, size_t row) const
{
    const HistoryRow *source = ComparedDraws(rows, previousDraw, distance).describingRow(row);
    return source ? digitText(source->previous.digits()).toQString() : QString();
}

QString HitListLayout::cell(const std::vector<HistoryRow> &rows, size_t row, int column) const
{
    if (row >= rows.size())
        return {};
    if (column == Issue)
        return game.displayForm(rows[row].sqqh);
    if (column >= FirstPosition && column < ComparedDraw)
        return QString::number(rows[row].own[resultKind][column - FirstPosition]);
    if (column == ComparedDraw)
        return comparedDigits(rows, row);
    return {};
}

} // namespace quorlent
