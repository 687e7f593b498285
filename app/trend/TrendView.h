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

  protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};
