#pragma once

#include "TrendChart.h"

#include <QAbstractTableModel>

namespace quorlent {
class HistoryStore;
}

// The chart's lines as a table: 期号, 开奖号码, ten columns per position, ten of 号码分布, then
// 和值, 跨度, 大小比, 单双比 and the 形态 of 前三, 中三 and 后三. Cells are computed when asked,
// one line at a time; the model follows the history store row by row.
class TrendChartModel : public QAbstractTableModel
{
    Q_OBJECT

  public:
    enum Column
    {
        Issue = 0,
        Draw = 1,
        FirstPresence = 2,
        Sum = FirstPresence + quorlent::trend::kPresenceColumns,
        Span,
        BigSmall,
        OddEven,
        ShapeFront,
        ShapeMiddle,
        ShapeBack,
        ColumnCount
    };
    // A caption over several columns of the header.
    struct Group
    {
        int first;
        int last;
        QString caption;
    };

    explicit TrendChartModel(const quorlent::HistoryStore &store, QObject *parent = nullptr);

    const quorlent::trend::TrendChart &chart() const { return m_chart; }
    void setWindow(const quorlent::trend::TrendWindow &window);
    void setSameDraw(int sameDraw);
    void setOrigin(quorlent::trend::StatsOrigin origin);

    // What the view draws besides the circles.
    bool showsOmission() const { return m_showOmission; }
    bool showsLayers() const { return m_showLayers; }
    bool showsLines() const { return m_showLines; }
    void setShowOmission(bool on);
    void setShowLayers(bool on);
    void setShowLines(bool on);

    // A line of the chart; the last one asked for is kept.
    const quorlent::trend::TrendRow &line(int row) const;

    // The presence column (0-59) of a model column, -1 for the others.
    static int presenceOf(int column);
    static int columnOfPresence(int presence) { return FirstPresence + presence; }
    static const std::vector<Group> &groups();
    static const Group *groupOf(int column);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // The text a cell shows (what copying and the spreadsheet take).
    QString text(int row, int column) const;

  signals:
    // The lines or the statistics changed: a new window, filter, origin or history.
    void chartChanged();
    void displayChanged();

  private:
    template <typename Change> void change(Change &&apply, bool linesKept);
    void followStore();

    const quorlent::HistoryStore &m_store;
    quorlent::trend::TrendChart m_chart;
    int m_rowCount = 0;
    size_t m_pendingFrom = 0;
    bool m_showOmission = true;
    bool m_showLayers = false;
    bool m_showLines = false;

    mutable int m_cachedRow = -1;
    mutable uint64_t m_cachedRevision = 0;
    mutable quorlent::trend::TrendRow m_cached;
};
