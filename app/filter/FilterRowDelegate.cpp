#include "FilterRowDelegate.h"

#include "FilterConditionModel.h"

using quorlent::FilterConditionModel;

void FilterRowDelegate::initStyleOption(QStyleOptionViewItem *option,
                                        const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const int state = index.data(FilterConditionModel::RowStateRole).toInt();
    QColor text;
    if (state & FilterConditionModel::Off)
        text = QColor(0x80, 0x80, 0x80);
    if (state & FilterConditionModel::Alert)
        text = QColor(0xb0, 0x1c, 0x1c);
    if (text.isValid())
        option->palette.setColor(QPalette::Text, text);
    if (state & FilterConditionModel::Emphasis) {
        option->font.setBold(true);
        option->backgroundBrush = QColor(0xea, 0xf1, 0xfa);
    }
}
