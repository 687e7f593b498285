#pragma once

#include "ConditionSet.h"
#include "FilterEngine.h"

#include <QAbstractTableModel>

namespace quorlent {

// The condition rows of the 缩水 window, numbered in the vertical header: 启用 (a check), 条件,
// 参数, 单独保留, 说明. It holds the
// condition set being edited, so every change of it, from the check in the grid or from the
// editor, goes through here and is announced once by setChanged(); what the engine worked out
// for it comes back through setResults().
class FilterConditionModel : public QAbstractTableModel
{
    Q_OBJECT

  public:
    enum Column
    {
        Enabled,
        Kind,
        Parameters,
        Kept,
        Message,
        ColumnCount
    };

    // What the view marks, as flags in RowStateRole: a message to heed, a row switched off.
    enum RowState
    {
        Alert = 1,
        Off = 2,
        Emphasis = 4
    };
    static constexpr int RowStateRole = Qt::UserRole + 1;

    explicit FilterConditionModel(QObject *parent = nullptr);

    const filter::ConditionSet &set() const { return m_set; }
    const filter::Condition &condition(int row) const { return m_set.conditions[size_t(row)]; }
    // The message of a row that cannot be applied; empty when it can.
    QString error(int row) const;

    // Each announces the change with setChanged().
    void setSet(const filter::ConditionSet &set);
    void setPart(filter::FilterPart part);
    void setSelection(filter::Selection selection);
    void setCondition(int row, const filter::Condition &condition);
    // Adds a row at the end and returns it.
    int addCondition(const filter::Condition &condition);
    void removeCondition(int row);

    // What validate() and FilterEngine::counts() gave for the set as it is now.
    void setResults(const std::vector<QString> &errors, const filter::FilterCounts &counts);

    // The row's name in the records: "和值", "杀号（个位）", "冷号（遗漏≥10）".
    static QString title(const filter::Condition &condition, filter::FilterPart part);
    // The row's parameters in a few words: "万位 0123，千位 全部", "至少 1 个：16", "15-32".
    static QString parameters(const filter::Condition &condition, filter::FilterPart part);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  signals:
    void setChanged();

  private:
    QString keptText(int row) const;
    void rowsChanged(int first, int last);

    filter::ConditionSet m_set;
    std::vector<QString> m_errors;
    std::vector<std::optional<filter::ConditionCount>> m_counts;
};

} // namespace quorlent
