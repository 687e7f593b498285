#include "PlanOmissionModel.h"

#include "PlanLongRunModel.h"

#include <algorithm>
#include <cmath>
#include <numeric>

using namespace quorlent::plan;

namespace quorlent {

PlanOmissionModel::PlanOmissionModel(QObject *parent) : QAbstractTableModel(parent) {}

void PlanOmissionModel::setTable(std::vector<OmissionRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_order.resize(m_rows.size());
    std::iota(m_order.begin(), m_order.end(), 0);
    endResetModel();
    if (m_sortColumn >= 0)
        sort(m_sortColumn, m_sortOrder);
}

int PlanOmissionModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int PlanOmissionModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

double PlanOmissionModel::sortValue(int row, int column) const
{
    const OmissionRow &r = m_rows[size_t(m_order[size_t(row)])];
    switch (column) {
    case Position:
        return r.position;
    case Value:
        return r.attribute ? 10 + r.value : r.value;
    case Current:
        return double(r.stats.current);
    case Average:
        return r.stats.averageOmission;
    case Longest:
        return double(r.stats.maxOmission);
    case Occurrences:
        return double(r.stats.occurrences);
    case Expected:
        return r.stats.expected;
    case Deviation:
        return r.deviation();
    case Chance:
        return r.tailChance;
    }
    return 0;
}

QString PlanOmissionModel::text(int row, int column) const
{
    const OmissionRow &r = m_rows[size_t(m_order[size_t(row)])];
    switch (column) {
    case Position:
        return r.positionName();
    case Value:
        return r.valueName();
    case Average:
        return QString::number(std::round(r.stats.averageOmission * 100) / 100, 'f', 2);
    case Expected:
        return QString::number(r.stats.expected, 'f', 1);
    case Deviation: {
        const double d = std::round(r.deviation() * 10) / 10;
        return (d > 0 ? QStringLiteral("+") : QString()) + QString::number(d, 'f', 1);
    }
    case Chance:
        return chanceText(r.tailChance);
    default:
        return QString::number(qlonglong(sortValue(row, column)));
    }
}

QVariant PlanOmissionModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::DisplayRole)
        return text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return int(index.column() >= Current ? Qt::AlignRight | Qt::AlignVCenter
                                             : Qt::AlignLeft | Qt::AlignVCenter);
    if (role == Qt::ToolTipRole && index.column() == Chance) {
        const OmissionRow &r = m_rows[size_t(m_order[size_t(index.row())])];
        return QStringLiteral("每期开出的概率为 %1 时，连续 %2 期都不开出的概率")
            .arg(r.attribute ? QStringLiteral("1/2") : QStringLiteral("1/10"))
            .arg(r.stats.current);
    }
    return {};
}

QVariant PlanOmissionModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char16_t *const names[ColumnCount] = {u"位置",     u"号码",     u"当前遗漏",
                                                       u"平均遗漏", u"最大遗漏", u"出现次数",
                                                       u"理论次数", u"偏差",     u"遗漏至今的概率"};
    return QString::fromUtf16(names[section]);
}

void PlanOmissionModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnCount)
        return;
    m_sortColumn = column;
    m_sortOrder = order;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> shownBefore;
    for (const QModelIndex &i : before)
        shownBefore.push_back(m_order[size_t(i.row())]);
    // Sort the underlying rows by their value in the column, table order among equals.
    std::vector<double> keys(m_rows.size());
    std::vector<int> natural(m_rows.size());
    std::iota(natural.begin(), natural.end(), 0);
    m_order = natural;
    for (size_t i = 0; i < m_rows.size(); ++i)
        keys[i] = sortValue(int(i), column);
    std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) {
        return order == Qt::AscendingOrder ? keys[size_t(a)] < keys[size_t(b)]
                                           : keys[size_t(b)] < keys[size_t(a)];
    });
    QModelIndexList after;
    for (size_t k = 0; k < size_t(before.size()); ++k) {
        const auto at = std::find(m_order.begin(), m_order.end(), shownBefore[k]);
        after << index(int(at - m_order.begin()), before[int(k)].column());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace quorlent
