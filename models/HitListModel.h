#pragma once

#include "HistoryRow.h"
#include "HitList.h"

#include <QAbstractTableModel>
#include <cstdint>
#include <vector>

namespace quorlent {

struct SearchResult;

// The hit list grid (MSFlexGrid2). Holds only the hits' row indexes and a pointer to the rows, and
// forms each cell when a view asks for it, so half a million hits are shown at once.
//
// The rows must stay alive and unchanged while the model shows them: clear() or set a new result
// whenever the history changes.
class HitListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit HitListModel(QObject *parent = nullptr);

    void setResult(const std::vector<HistoryRow> &rows, const SearchResult &result);
    void setHits(const std::vector<HistoryRow> &rows, std::vector<uint32_t> hits,
                 const HitListLayout &layout);
    // No hits, nothing that refers to the rows; the headers stay.
    void clear();

    const HitListLayout &layout() const { return m_layout; }
    // The index into the rows of the hit on line `line`.
    uint32_t hitAt(int line) const { return m_hits[static_cast<size_t>(line)]; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    // A position column of a kind whose codes need their key.
    bool isCodeColumn(int column) const;

    const std::vector<HistoryRow> *m_rows = nullptr;
    std::vector<uint32_t> m_hits;
    HitListLayout m_layout;
};

} // namespace quorlent
