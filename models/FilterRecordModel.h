#pragma once

#include "ConditionSet.h"
#include "FilterEngine.h"

#include <QAbstractTableModel>

namespace quorlent {

// How each condition of the 缩水 window fared over a window of the history: a first row for the
// switched-on conditions together, where it is seen however many rows follow, then one row per
// condition: 期数, 通过, 通过率, 保留占比 (the chance
// a random draw passes), 比值 (the two rates divided), p 值 and the verdict. A together record
// still being worked out reads "计算中…".
class FilterRecordModel : public QAbstractTableModel
{
    Q_OBJECT

  public:
    enum Column
    {
        Condition,
        Draws,
        Passes,
        PassRate,
        KeptShare,
        Ratio,
        PValue,
        Verdict,
        ColumnCount
    };

    static const QString kPending;

    explicit FilterRecordModel(QObject *parent = nullptr);

    // The records of `set` (with validate()'s `errors`) over one window.
    void setRecords(const filter::ConditionSet &set, const std::vector<QString> &errors,
                    const filter::RecordTable &records);
    const filter::RecordTable &records() const { return m_records; }
    // The row of the conditions together, and that of condition `i`.
    static constexpr int togetherRow() { return 0; }
    static constexpr int rowOf(int condition) { return condition + 1; }
    QString text(int row, int column) const;
    // A condition's title in the records: 冷号 and 热号 with where omissions count and the counts.
    static QString recordTitle(const filter::Condition &c, filter::FilterPart part);
    // With a significant verdict among several: how many of the tests shown (each row over each
    // window) would look significant by chance alone; empty otherwise.
    QString chanceNote() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    static constexpr int kRecordWindows = int(filter::RecordWindow::All) + 1;
    int testsShown() const;
    bool anySignificant() const;
    // The record of a row; none for a condition that cannot be applied.
    const filter::Record *recordOf(int row) const;

    std::vector<QString> m_titles; // by condition
    std::vector<bool> m_enabled;
    bool m_anyApplied = false;
    filter::RecordTable m_records;
};

} // namespace quorlent
