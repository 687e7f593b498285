#include "FilterRecordModel.h"

#include "FilterConditionModel.h"
#include "FilterSummary.h"

namespace quorlent {

using namespace filter;

const QString FilterRecordModel::kPending = QStringLiteral("计算中…");

FilterRecordModel::FilterRecordModel(QObject *parent) : QAbstractTableModel(parent) {}

// Two 冷号 or 热号 rows differ in where omissions count and in the counts allowed: the records
// name both, so that the rows can be told apart.
QString FilterRecordModel::recordTitle(const filter::Condition &c, FilterPart part)
{
    const QString title = FilterConditionModel::title(c, part);
    if (formOf(c.kind) != KindForm::Omission || !title.endsWith(u'）'))
        return title;
    const QString where = c.atPositions ? QStringLiteral("按位") : QStringLiteral("整个号码");
    const QString counts = c.values.trimmed();
    return title.chopped(1) + QStringLiteral("，") + where +
           (counts.isEmpty() ? QString() : QStringLiteral("，%1 个").arg(counts)) +
           QStringLiteral("）");
}

int FilterRecordModel::testsShown() const
{
    int tests = m_anyApplied ? 1 : 0;
    for (size_t i = 0; i < m_records.conditions.size(); ++i)
        tests += m_records.conditions[i] ? 1 : 0;
    return tests * kRecordWindows;
}

bool FilterRecordModel::anySignificant() const
{
    for (int row = 0; row < rowCount(); ++row) {
        const Record *r = recordOf(row);
        if (r && r->significant() && (row != togetherRow() || m_anyApplied))
            return true;
    }
    return false;
}

QString FilterRecordModel::chanceNote() const
{
    const int tests = testsShown();
    if (tests <= 1 || !anySignificant())
        return {};
    return QStringLiteral("注意：这里共有 %1 项检验（各条件与全部条件，各 %2 个窗口）；即使开奖全是"
                          "随机，按 p < %3 也约有 %4 项会显得“显著”。")
        .arg(tests)
        .arg(kRecordWindows)
        .arg(kSignificanceLevel)
        .arg(double(tests) * kSignificanceLevel, 0, 'f', 1);
}

void FilterRecordModel::setRecords(const ConditionSet &set, const std::vector<QString> &errors,
                                   const RecordTable &records)
{
    std::vector<QString> titles;
    std::vector<bool> enabled;
    bool anyApplied = false;
    for (size_t i = 0; i < set.conditions.size(); ++i) {
        const filter::Condition &c = set.conditions[i];
        titles.push_back(QStringLiteral("%1 %2").arg(i + 1).arg(recordTitle(c, set.part)));
        enabled.push_back(c.enabled);
        anyApplied = anyApplied || (c.enabled && i < errors.size() && errors[i].isEmpty());
    }
    // Edits keep the rows: only the figures change, and the view keeps its scroll position and
    // repaints only the rows whose figures did.
    if (titles.size() != m_titles.size()) {
        beginResetModel();
        m_titles = std::move(titles);
        m_enabled = std::move(enabled);
        m_anyApplied = anyApplied;
        m_records = records;
        endResetModel();
        return;
    }
    std::vector<int> changed;
    const auto same = [](const std::optional<Record> &a, const std::optional<Record> &b) {
        return a.has_value() == b.has_value() &&
               (!a ||
                (a->draws == b->draws && a->passes == b->passes && a->keptShare == b->keptShare &&
                 a->pending == b->pending && a->pValue == b->pValue));
    };
    for (size_t i = 0; i < titles.size(); ++i) {
        if (titles[i] != m_titles[i] || enabled[i] != m_enabled[i] ||
            i >= records.conditions.size() || i >= m_records.conditions.size() ||
            !same(records.conditions[i], m_records.conditions[i]))
            changed.push_back(rowOf(int(i)));
    }
    if (!same(records.together, m_records.together) || anyApplied != m_anyApplied)
        changed.push_back(togetherRow());
    m_titles = std::move(titles);
    m_enabled = std::move(enabled);
    m_anyApplied = anyApplied;
    m_records = records;
    for (int row : changed)
        emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

const Record *FilterRecordModel::recordOf(int row) const
{
    if (row == togetherRow())
        return &m_records.together;
    const size_t i = size_t(row - rowOf(0));
    if (i < m_records.conditions.size() && m_records.conditions[i])
        return &*m_records.conditions[i];
    return nullptr;
}

QString FilterRecordModel::text(int row, int column) const
{
    if (column == Condition)
        return row == togetherRow() ? QStringLiteral("全部条件") : m_titles[size_t(row - rowOf(0))];
    const Record *r = recordOf(row);
    if (!r)
        return column == Verdict ? QStringLiteral("条件有误，未检验") : QStringLiteral("—");
    const bool none = r->draws <= 0;
    switch (column) {
    case Draws:
        return QString::number(r->draws);
    case Passes:
        return QString::number(r->passes);
    case PassRate:
        return none ? QStringLiteral("—") : formatShare(r->passRate());
    case KeptShare:
        return r->pending ? kPending : formatShare(r->keptShare);
    case Ratio:
        if (r->pending)
            return kPending;
        return r->ratio() ? QString::number(*r->ratio(), 'f', 2) : QStringLiteral("—");
    case PValue:
        if (r->pending)
            return kPending;
        return none ? QStringLiteral("—") : formatPValue(r->pValue);
    case Verdict:
        if (r->pending)
            return kPending;
        if (row == togetherRow() && !m_anyApplied)
            return QStringLiteral("没有启用的条件");
        // Far from chance either way reads the same in the verdict: below it is said first.
        if (r->significant() && r->ratio() && *r->ratio() < 1)
            return QStringLiteral("少于随机：") + recordVerdict(*r);
        return recordVerdict(*r);
    }
    return {};
}

int FilterRecordModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_titles.size()) + 1;
}

int FilterRecordModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FilterRecordModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const int row = index.row();
    switch (role) {
    case Qt::DisplayRole:
        return text(row, index.column());
    case Qt::TextAlignmentRole:
        if (index.column() != Condition && index.column() != Verdict)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case FilterConditionModel::RowStateRole: {
        using State = FilterConditionModel::RowState;
        const Record *r = recordOf(row);
        int state = row == togetherRow() ? State::Emphasis : 0;
        if (row != togetherRow() && !m_enabled[size_t(row - rowOf(0))])
            state |= State::Off;
        if (index.column() == Verdict && r && r->significant())
            state |= State::Alert;
        return state;
    }
    case Qt::ToolTipRole: {
        if (row != togetherRow() && !m_enabled[size_t(row - rowOf(0))])
            return QStringLiteral("未启用：单独检验，不计入“全部条件”");
        const Record *r = recordOf(row);
        if (index.column() == Verdict && r && r->significant())
            return chanceNote();
        return {};
    }
    }
    return {};
}

QVariant FilterRecordModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::ToolTipRole) {
        switch (section) {
        case Passes:
            return QStringLiteral("窗口里开奖号码满足条件的期数");
        case PassRate:
            return QStringLiteral("通过 ÷ 期数");
        case KeptShare:
            return QStringLiteral("条件保留的号码占全部号码的比例，即随机开奖时通过的概率"
                                  "（依赖之前开奖的条件取各期的平均）");
        case Ratio:
            return QStringLiteral("通过率 ÷ 保留占比：大于 1 表示通过得比随机多");
        case PValue:
            return QStringLiteral(
                "精确二项检验（双侧）：若只是随机，通过次数离期望这么远或更远的概率");
        }
        return {};
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Condition:
        return QStringLiteral("条件");
    case Draws:
        return QStringLiteral("期数");
    case Passes:
        return QStringLiteral("通过");
    case PassRate:
        return QStringLiteral("通过率");
    case KeptShare:
        return QStringLiteral("保留占比");
    case Ratio:
        return QStringLiteral("比值");
    case PValue:
        return QStringLiteral("p 值");
    case Verdict:
        return QStringLiteral("结论");
    }
    return {};
}

} // namespace quorlent
