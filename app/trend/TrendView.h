#pragma once

#include <QTableView>

// A table view for the chart and its statistics rows: fixed row heights, cells selectable in
// blocks, Ctrl+C copies the selection as tab-separated text. Over a chart it paints the 折线 of
// the rows in view after the cells.
class TrendView : public QTableView
{
    Q_OBJECT

  public:
    explicit TrendView(QWidget *parent = nullptr);

    // The rows wholly or partly in view, first and last; {-1, -1} when there are none.
    std::pair<int, int> rowsInView() const;
    // The selected cells as lines of tab-separated texts: the selection's bounding box, cells
    // outside the selection empty.
    QString selectedText() const;

    // Keeps the first `count` columns in place while the others scroll sideways, so 期号 and
    // 开奖号码 stay beside a chart wider than the screen. A second view laid over the left edge
    // shows them with the same model, selection and delegate; call this once those are set.
    void freezeLeadingColumns(int count);
    // That second view, for what must be set on both (spans); null until columns are frozen.
    TrendView *frozenView() const { return m_frozen; }
    // Brings a cell into view clear of the frozen columns.
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;

  protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

  private:
    void placeFrozen();

    TrendView *m_frozen = nullptr;
    int m_frozenCount = 0;
    bool m_isOverlay = false;
};
