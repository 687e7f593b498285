#include "ConflictModel.h"

using namespace quorlent;

void ConflictModel::setConflicts(std::vector<import::MergeConflict> conflicts, const Game &game)
{
    beginResetModel();
    std::set<int32_t> still;
    for (const auto &c : conflicts) {
        if (m_ticked.count(c.sqqh))
            still.insert(c.sqqh);
    }
    m_conflicts = std::move(conflicts);
    m_ticked = std::move(still);
    m_game = game;
    endResetModel();
}

std::vector<std::pair<int32_t, Digits>> ConflictModel::ticked() const
{
    std::vector<std::pair<int32_t, Digits>> chosen;
    for (const auto &c : m_conflicts) {
        if (m_ticked.count(c.sqqh))
            chosen.push_back({c.sqqh, c.fileDigits});
    }
    return chosen;
}

void ConflictModel::setTicked(int row, bool on)
{
    setData(index(row, Issue), on ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

int ConflictModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_conflicts.size());
}

int ConflictModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ConflictModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const auto &c = m_conflicts[size_t(index.row())];
    if (role == Qt::CheckStateRole && index.column() == Issue)
        return m_ticked.count(c.sqqh) ? Qt::Checked : Qt::Unchecked;
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Issue:
        return m_game.displayForm(c.sqqh);
    case Stored:
        return digitText(c.storedDigits).toQString();
    case File:
        return digitText(c.fileDigits).toQString();
    case Line:
        return QString::number(c.line);
    default:
        return {};
    }
}

bool ConflictModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::CheckStateRole || index.column() != Issue ||
        !checkIndex(index, CheckIndexOption::IndexIsValid))
        return false;
    const int32_t sqqh = m_conflicts[size_t(index.row())].sqqh;
    if (value.toInt() == Qt::Checked)
        m_ticked.insert(sqqh);
    else
        m_ticked.erase(sqqh);
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags ConflictModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.column() == Issue)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant ConflictModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const captions[ColumnCount] = {"期号", "已存号码", "文件号码", "文件行"};
    return QString::fromUtf8(captions[section]);
}
