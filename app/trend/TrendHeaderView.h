#pragma once

#include <QHeaderView>

// The chart's column header in two tiers: the caption of each group of columns (万位 … 个位,
// 号码分布, 形态) over the captions of its columns; a column outside any group takes both tiers.
class TrendHeaderView : public QHeaderView
{
    Q_OBJECT

  public:
    explicit TrendHeaderView(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    int tierHeight() const;

  protected:
    void paintEvent(QPaintEvent *event) override;
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;

  private:
    void paintCaption(QPainter *painter, const QRect &rect, const QString &text, int section) const;
};
