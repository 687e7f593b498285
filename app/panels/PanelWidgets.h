#pragma once

// The few ways the window's panels make their controls: named as in the designer, one-digit
// masked boxes, the grids, the frames' tight layouts.

#include <QHeaderView>
#include <QLineEdit>
#include <QRadioButton>
#include <QString>
#include <QTableView>
#include <QWidget>

namespace panels {

// "Name(i)": the name of a member of a control array.
inline QString arrayName(const char *name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

template <typename W> W *named(W *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

inline QRadioButton *radio(const char *name, int index, const QString &caption)
{
    return named(new QRadioButton(caption), arrayName(name, index));
}

// A one-digit masked box: its empty text reads "_".
inline QLineEdit *digitBox(const QString &name, const QString &mask)
{
    auto *box = named(new QLineEdit, name);
    box->setInputMask(mask);
    box->setAlignment(Qt::AlignCenter);
    box->setFixedWidth(26);
    return box;
}

// A table of a tool window: no row numbers, not editable, a line per row.
inline QTableView *plainGrid(const char *name)
{
    auto *view = named(new QTableView, QLatin1String(name));
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setHighlightSections(false);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setWordWrap(false);
    return view;
}

inline QTableView *grid(const char *name)
{
    auto *view = named(new QTableView, QLatin1String(name));
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setHighlightSections(false);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setAlternatingRowColors(true);
    return view;
}

// The layout of a frame's row of options: tighter than the style's default, so that the three
// grids keep all their columns in view on a 1366-pixel-wide screen.
template <typename L> L *frameLayout(QWidget *frame)
{
    auto *layout = new L(frame);
    layout->setContentsMargins(6, 2, 6, 4);
    return layout;
}

// Column widths are given in twips; 15 twips make a pixel at 96 dpi.
inline int twips(int value)
{
    return value / 15;
}

inline const QString kExportTip = QStringLiteral("鼠标双击列表可以将列表导出到EXCEL");
inline const QString kEntryTip = QStringLiteral("在此补充输入最新历史号码");

} // namespace panels
