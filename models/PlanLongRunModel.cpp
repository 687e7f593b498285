#include "PlanLongRunModel.h"

#include <algorithm>

using namespace quorlent::plan;

namespace quorlent {

QString chanceText(double p)
{
    const double percent = p * 100;
    if (p > 0 && percent < 0.001)
        return QStringLiteral("< 0.001%");
    if (p < 1 && percent >= 99.95)
        return QStringLiteral("> 99.9%");
    if (percent < 1 && p > 0)
        return QStringLiteral("%1%").arg(percent, 0, 'f', 3);
    return QStringLiteral("%1%").arg(percent, 0, 'f', 1);
}

PlanLongRunModel::PlanLongRunModel(QObject *parent) : QAbstractTableModel(parent) {}

void PlanLongRunModel::setRuns(std::vector<LongRun> runs)
{
    beginResetModel();
    m_runs = std::move(runs);
    endResetModel();
    sort(m_sortColumn, m_sortOrder);
}

int PlanLongRunModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_runs.size());
}

int PlanLongRunModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString PlanLongRunModel::text(int row, int column) const
{
    const LongRun &r = m_runs[size_t(row)];
    switch (column) {
    case Subject:
        return r.subjectName();
    case Trait:
        return r.traitName();
    case Value:
        return r.valueName();
    case Length:
        return QString::number(r.length);
    case Longest:
        return QString::number(r.longest);
    case Chance:
        return chanceText(r.chance);
    }
    return {};
}

QVariant PlanLongRunModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::DisplayRole)
        return text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return int(index.column() >= Length ? Qt::AlignRight | Qt::AlignVCenter
                                            : Qt::AlignLeft | Qt::AlignVCenter);
    if (role == Qt::ToolTipRole && index.column() == Chance)
        return QStringLiteral(
                   "每位数字等可能且各期独立时，这么长的历史里出现至少 %1 期这样的长龙的概率")
            .arg(m_runs[size_t(index.row())].length);
    return {};
}

QVariant PlanLongRunModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char16_t *const names[ColumnCount] = {u"位置",     u"类型",     u"当前",
                                                       u"连续期数", u"历史最长", u"随机出现概率"};
    return QString::fromUtf16(names[section]);
}

void PlanLongRunModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnCount)
        return;
    m_sortColumn = column;
    m_sortOrder = order;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<LongRun> old = m_runs;
    auto key = [column](const LongRun &r) -> double {
        switch (column) {
        case Subject:
            return r.subject;
        case Trait:
            return int(r.trait);
        case Value:
            return r.value;
        case Length:
            return double(r.length);
        case Longest:
            return double(r.longest);
        default:
            return r.chance;
        }
    };
    std::stable_sort(m_runs.begin(), m_runs.end(), [&](const LongRun &a, const LongRun &b) {
        return order == Qt::AscendingOrder ? key(a) < key(b) : key(b) < key(a);
    });
    QModelIndexList after;
    for (const QModelIndex &i : before) {
        const auto at = std::find(m_runs.begin(), m_runs.end(), old[size_t(i.row())]);
        after << index(int(at - m_runs.begin()), i.column());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace quorlent
