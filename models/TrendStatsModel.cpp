#include "TrendStatsModel.h"

#include <cmath>

using namespace quorlent::trend;

TrendStatsModel::TrendStatsModel(const TrendChartModel &chart, QObject *parent)
    : QAbstractTableModel(parent), m_chart(chart)
{
    connect(&chart, &TrendChartModel::chartChanged, this, [this] {
        emit dataChanged(index(0, 0), index(RowCount - 1, TrendChartModel::ColumnCount - 1));
    });
}

QString TrendStatsModel::rowName(int row)
{
    static const QString names[RowCount] = {QStringLiteral("出现次数"), QStringLiteral("理论次数"),
                                            QStringLiteral("当前遗漏"), QStringLiteral("最大遗漏"),
                                            QStringLiteral("平均遗漏"), QStringLiteral("最大连出")};
    return names[row];
}

QString TrendStatsModel::definition(int row)
{
    static const QString texts[RowCount] = {
        QStringLiteral("出现次数：窗口内开出这个号码的期数"),
        QStringLiteral("理论次数：窗口期数 × 这个号码每期开出的概率（单个位置 1/10；号码分布 "
                       "1 − 0.9⁵ ≈ 0.40951）"),
        QStringLiteral("当前遗漏：到窗口最后一期为止，这个号码连续没有开出的期数"),
        QStringLiteral("最大遗漏：窗口内这个号码最长的一段连续没有开出的期数"),
        QStringLiteral("平均遗漏：（窗口期数 − 出现次数）÷（出现次数 + 1），保留两位小数"),
        QStringLiteral("最大连出：窗口内这个号码最长的一段连续开出的期数")};
    return texts[row] +
           QStringLiteral("。缺期不算一期；统计起点决定窗口开始前的遗漏和连出是否计入。");
}

double TrendStatsModel::value(int row, int presence) const
{
    const ColumnStats &s = m_chart.chart().statistics()[size_t(presence)];
    switch (row) {
    case Occurrences:
        return double(s.occurrences);
    case Expected:
        return std::round(s.expected * 10) / 10;
    case Current:
        return double(s.current);
    case MaxOmission:
        return double(s.maxOmission);
    case AverageOmission:
        return std::round(s.averageOmission * 100) / 100;
    default:
        return double(s.maxRun);
    }
}

QString TrendStatsModel::text(int row, int column) const
{
    if (column == TrendChartModel::Issue)
        return rowName(row);
    const int presence = TrendChartModel::presenceOf(column);
    if (presence < 0)
        return {};
    const double v = value(row, presence);
    if (row == Expected)
        return QString::number(v, 'f', 1);
    if (row == AverageOmission)
        return QString::number(v, 'f', 2);
    return QString::number(qint64(v));
}

int TrendStatsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : RowCount;
}

int TrendStatsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : TrendChartModel::ColumnCount;
}

Qt::ItemFlags TrendStatsModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QVariant TrendStatsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::ToolTipRole:
        return definition(index.row());
    default:
        return {};
    }
}

QVariant TrendStatsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical && section >= 0 && section < RowCount) {
        if (role == Qt::DisplayRole)
            return rowName(section);
        if (role == Qt::ToolTipRole)
            return definition(section);
    }
    return m_chart.headerData(section, orientation, role);
}
