#include "FilterConditionModel.h"

#include "FilterSummary.h"

namespace quorlent {

using namespace filter;

namespace {

QString spacedDigits(DigitSet digits)
{
    QStringList out;
    for (int d = 0; d <= 9; ++d) {
        if (digits.contains(d))
            out << QString::number(d);
    }
    return out.join(QLatin1Char(' '));
}

QString typed(const QString &values)
{
    const QString text = values.simplified();
    return text.isEmpty() ? QStringLiteral("（未填写）") : text;
}

} // namespace

FilterConditionModel::FilterConditionModel(QObject *parent) : QAbstractTableModel(parent) {}

QString FilterConditionModel::error(int row) const
{
    return size_t(row) < m_errors.size() ? m_errors[size_t(row)] : QString();
}

void FilterConditionModel::setSet(const ConditionSet &set)
{
    beginResetModel();
    m_set = set;
    m_errors.clear();
    m_counts.clear();
    endResetModel();
    emit setChanged();
}

void FilterConditionModel::setPart(FilterPart part)
{
    if (part == m_set.part)
        return;
    m_set.part = part;
    rowsChanged(0, rowCount() - 1);
    emit setChanged();
}

void FilterConditionModel::setSelection(Selection selection)
{
    if (selection == m_set.selection)
        return;
    m_set.selection = selection;
    rowsChanged(0, rowCount() - 1);
    emit setChanged();
}

void FilterConditionModel::setCondition(int row, const Condition &condition)
{
    if (row < 0 || row >= rowCount() || m_set.conditions[size_t(row)] == condition)
        return;
    m_set.conditions[size_t(row)] = condition;
    rowsChanged(row, row);
    emit setChanged();
}

int FilterConditionModel::addCondition(const Condition &condition)
{
    const int row = rowCount();
    beginInsertRows({}, row, row);
    m_set.conditions.push_back(condition);
    endInsertRows();
    emit setChanged();
    return row;
}

void FilterConditionModel::removeCondition(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    beginRemoveRows({}, row, row);
    m_set.conditions.erase(m_set.conditions.begin() + row);
    // The results were for the rows as they were; the next setResults() brings the new ones.
    if (size_t(row) < m_errors.size())
        m_errors.erase(m_errors.begin() + row);
    if (size_t(row) < m_counts.size())
        m_counts.erase(m_counts.begin() + row);
    endRemoveRows();
    emit setChanged();
}

void FilterConditionModel::setResults(const std::vector<QString> &errors,
                                      const FilterCounts &counts)
{
    // Only the rows whose share or message changed are drawn again.
    const auto count = [](const auto &shares, size_t at) {
        return at < shares.size() && shares[at]
                   ? std::optional(std::pair(shares[at]->numbers, shares[at]->groups))
                   : std::nullopt;
    };
    std::vector<int> changed;
    for (int row = 0; row < rowCount(); ++row) {
        const size_t r = size_t(row);
        if (error(row) != (r < errors.size() ? errors[r] : QString()) ||
            count(m_counts, r) != count(counts.conditions, r))
            changed.push_back(row);
    }
    m_errors = errors;
    m_counts = counts.conditions;
    for (int row : changed)
        emit dataChanged(index(row, Kept), index(row, Message));
}

void FilterConditionModel::rowsChanged(int first, int last)
{
    if (first <= last)
        emit dataChanged(index(first, 0), index(last, ColumnCount - 1));
}

QString FilterConditionModel::title(const Condition &c, FilterPart part)
{
    // As conditionTitle(), with the position named as the window names it.
    if (formOf(c.kind) == KindForm::Kill && c.position > 0 && c.position <= digitCount(part))
        return QStringLiteral("%1（%2）")
            .arg(kindName(c.kind), positionName(firstPosition(part) + c.position - 1));
    return conditionTitle(c);
}

QString FilterConditionModel::parameters(const Condition &c, FilterPart part)
{
    const int first = firstPosition(part);
    const int digits = digitCount(part);
    switch (formOf(c.kind)) {
    case KindForm::Positions: {
        QStringList restricted;
        for (int i = 0; i < digits; ++i) {
            const DigitSet allowed = c.positions[size_t(i)];
            if (allowed != DigitSet::all())
                restricted << QStringLiteral("%1 %2").arg(positionName(first + i),
                                                          allowed.empty() ? QStringLiteral("（无）")
                                                                          : allowed.text());
        }
        return restricted.isEmpty() ? QStringLiteral("各位不限")
                                    : restricted.join(QStringLiteral("，"));
    }
    case KindForm::Bankers:
        return QStringLiteral("%1 %2 个：%3")
            .arg(c.rule == BankerRule::AtLeast ? QStringLiteral("至少") : QStringLiteral("恰好"))
            .arg(c.count)
            .arg(c.digits.empty() ? QStringLiteral("（未选）") : spacedDigits(c.digits));
    case KindForm::Kill: {
        const QString where = c.position > 0 && c.position <= digits
                                  ? positionName(first + c.position - 1)
                                  : QStringLiteral("整个号码");
        return QStringLiteral("%1（%2）")
            .arg(c.digits.empty() ? QStringLiteral("未选") : spacedDigits(c.digits), where);
    }
    case KindForm::Shapes: {
        QStringList names;
        for (int s = 0; s < kShapeCount; ++s) {
            if (c.shapes & shapeBit(Shape(s)))
                names << shapeName(Shape(s));
        }
        return names.isEmpty() ? QStringLiteral("（未选）") : names.join(QLatin1Char(' '));
    }
    case KindForm::Omission:
        return QStringLiteral("遗漏%1%2，%3，个数 %4")
            .arg(QString::fromUtf8(kindInfo(c.kind).comparison))
            .arg(c.threshold)
            .arg(c.atPositions ? QStringLiteral("按位") : QStringLiteral("整个号码"),
                 typed(c.values));
    case KindForm::Values:
    case KindForm::Ratios:
        return typed(c.values);
    }
    return {};
}

QString FilterConditionModel::keptText(int row) const
{
    if (size_t(row) >= m_counts.size() || !m_counts[size_t(row)])
        return QStringLiteral("—");
    return formatShare(m_counts[size_t(row)]->share);
}

int FilterConditionModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_set.conditions.size());
}

int FilterConditionModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FilterConditionModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const int row = index.row();
    const Condition &c = m_set.conditions[size_t(row)];
    const bool invalid = !error(row).isEmpty();
    switch (role) {
    case Qt::CheckStateRole:
        if (index.column() == Enabled)
            return c.enabled ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::DisplayRole:
        switch (index.column()) {
        case Kind:
            return kindName(c.kind);
        case Parameters:
            return parameters(c, m_set.part);
        case Kept:
            return keptText(row);
        case Message:
            return invalid ? error(row) : (c.enabled ? QString() : QStringLiteral("未启用"));
        }
        return {};
    case Qt::ToolTipRole:
        if (index.column() == Kept && size_t(row) < m_counts.size() && m_counts[size_t(row)]) {
            const ConditionCount &count = *m_counts[size_t(row)];
            return m_set.selection == Selection::Group
                       ? QStringLiteral("单独使用时保留 %1 组（%2 注）")
                             .arg(count.groups)
                             .arg(count.numbers)
                       : QStringLiteral("单独使用时保留 %1 注").arg(count.numbers);
        }
        if (index.column() == Message && invalid)
            return error(row);
        return {};
    case RowStateRole:
        return int((index.column() == Message && invalid ? Alert : 0) | (c.enabled ? 0 : Off));
    case Qt::TextAlignmentRole:
        if (index.column() == Kept)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    return {};
}

bool FilterConditionModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::CheckStateRole || index.column() != Enabled ||
        !checkIndex(index, CheckIndexOption::IndexIsValid))
        return false;
    Condition c = condition(index.row());
    c.enabled = value.toInt() == Qt::Checked;
    setCondition(index.row(), c);
    return true;
}

Qt::ItemFlags FilterConditionModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == Enabled)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant FilterConditionModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    // Rows are numbered in the header, as messages name them ("第 2 条").
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Enabled:
        return QStringLiteral("启用");
    case Kind:
        return QStringLiteral("条件");
    case Parameters:
        return QStringLiteral("参数");
    case Kept:
        return QStringLiteral("单独保留");
    case Message:
        return QStringLiteral("说明");
    }
    return {};
}

} // namespace quorlent
