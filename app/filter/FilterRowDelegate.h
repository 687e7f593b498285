#pragma once

#include <QStyledItemDelegate>

// Draws the 缩水 grids' rows as their models mark them (FilterConditionModel::RowStateRole): a
// message or a verdict that sets a record apart from chance in red, a row switched off in grey,
// the conditions together in bold on a tint. The models stay free of colours and fonts.
class FilterRowDelegate : public QStyledItemDelegate
{
    Q_OBJECT

  public:
    using QStyledItemDelegate::QStyledItemDelegate;

  protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};
