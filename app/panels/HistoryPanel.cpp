#include "HistoryPanel.h"

#include "EmptyHistoryHint.h"
#include "GapCaption.h"
#include "GapOverlay.h"
#include "HistoryGridModel.h"
#include "HistoryStore.h"
#include "NextIssue.h"
#include "PanelWidgets.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QShowEvent>
#include <QVBoxLayout>

using namespace quorlent;
using namespace panels;

namespace {

// More grid rows than this (header included) no longer fit the grid's designed height: the grid
// then scrolls so that the newest draw is in view.
constexpr int kGridRowsInView = 39;

} // namespace

HistoryPanel::HistoryPanel(const HistoryStore &history, QWidget *parent)
    : QWidget(parent), m_history(history)
{
    MSFlexGrid1 = panels::grid("MSFlexGrid1");
    MSFlexGrid1->setToolTip(kExportTip);
    m_model = new HistoryGridModel(history, this);
    MSFlexGrid1->setModel(m_model);
    MSFlexGrid1->setColumnWidth(0, twips(1500));
    MSFlexGrid1->setMinimumWidth(twips(1500) + 5 * twips(620) + 24);
    // The digit columns share what the entry bar below leaves beside the issue column.
    for (int c = 1; c <= 5; ++c)
        MSFlexGrid1->horizontalHeader()->setSectionResizeMode(c, QHeaderView::Stretch);
    MSFlexGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(MSFlexGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        emit contextMenuRequested(MSFlexGrid1->viewport()->mapToGlobal(pos));
    });

    // An empty history says how to begin, in the words of its game.
    m_nextIssue = new NextIssue(history, this);
    lblEmptyHint = named(new QLabel(MSFlexGrid1->viewport()), QStringLiteral("lblEmptyHint"));
    lblEmptyHint->setWordWrap(true);
    lblEmptyHint->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    lblEmptyHint->setMargin(8);
    MSFlexGrid1->viewport()->installEventFilter(this);
    for (auto signal :
         {&HistoryStore::appended, &HistoryStore::removed, &HistoryStore::resetDone}) {
        connect(&history, signal, this, &HistoryPanel::showEmptyHint);
        connect(&history, signal, this, &HistoryPanel::AddHaoma);
    }
    connect(m_nextIssue, &NextIssue::changed, this, &HistoryPanel::showEmptyHint);
    showEmptyHint();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(MSFlexGrid1, 1);
    layout->addWidget(buildEntryBar());

    connect(m_nextIssue, &NextIssue::changed, this, &HistoryPanel::QihaoXianshi);
    QihaoXianshi();
}

QWidget *HistoryPanel::buildEntryBar()
{
    auto *bar = new QWidget;
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(3);
    const QString before = QStringLiteral("在下面输入  ");
    const QString number = QStringLiteral("2007001");
    Text1 = named(new QLineEdit(number, bar), QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->setAlignment(Qt::AlignCenter);
    const CaptionGap gap{static_cast<int>(before.size()), static_cast<int>(number.size() + 2),
                         Text1->fontMetrics().horizontalAdvance(Game::widestIssue()) + 12};
    auto *label = named(new GapLabel(before + number + QStringLiteral("    期历史号码:"), gap),
                        QStringLiteral("Label12(1)"));
    row->addWidget(label);
    new GapOverlay(label, Text1, [label] { return label->gapRect().adjusted(0, 0, -4, 0); });
    for (int i = 1; i <= 5; ++i) {
        MaskEdBox1[i] = digitBox(arrayName("MaskEdBox1", i), QStringLiteral("0;_"));
        MaskEdBox1[i]->setToolTip(kEntryTip);
        MaskEdBox1[i]->installEventFilter(this);
        connect(MaskEdBox1[i], &QLineEdit::textChanged, this, [this, i] { MaskEdBox1_Change(i); });
        row->addWidget(MaskEdBox1[i]);
    }
    row->addStretch(1);
    return bar;
}

void HistoryPanel::showEmptyHint()
{
    if (m_history.empty())
        lblEmptyHint->setText(emptyhistory::hint(m_history.game(), m_nextIssue->issue()));
    lblEmptyHint->setVisible(m_history.empty());
    lblEmptyHint->setGeometry(MSFlexGrid1->viewport()->rect());
}

void HistoryPanel::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The grid has its real height only now: bring the newest draw into view again.
    if (!event->spontaneous())
        AddHaoma();
}

void HistoryPanel::AddHaoma()
{
    if (m_model->rowCount() + 1 > kGridRowsInView)
        MSFlexGrid1->scrollToBottom();
    else
        MSFlexGrid1->scrollToTop();
}

void HistoryPanel::QihaoXianshi()
{
    const Game &game = m_history.game();
    // The original game's next issue follows the schedule alone; another game's may be typed
    // (a year's first draw, a draw entered late), and is checked when the draw is stored.
    Text1->setReadOnly(game.isStandard());
    Text1->setToolTip(
        game.isStandard()
            ? QString()
            : QStringLiteral("下一期的期号，可以改成要输入的期号；%1").arg(game.formHint()));
    Text1->setText(game.displayForm(m_nextIssue->issue()));
}

QString HistoryPanel::shownIssue() const
{
    return Text1->text();
}

void HistoryPanel::entryStored()
{
    bolEntryReset = true;
    for (int i = 1; i <= 5; ++i)
        MaskEdBox1[i]->clear();
    MaskEdBox1[1]->setFocus();
}

void HistoryPanel::setEntryEnabled(bool enabled)
{
    for (int i = 1; i <= 5; ++i)
        MaskEdBox1[i]->setEnabled(enabled);
}

int HistoryPanel::chosenRow() const
{
    const QModelIndex current = MSFlexGrid1->currentIndex();
    if (current.isValid())
        return current.row();
    return m_model->rowCount() - 1;
}

void HistoryPanel::focusEntry()
{
    MaskEdBox1[1]->setFocus();
}

bool HistoryPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == MSFlexGrid1->viewport() && event->type() == QEvent::Resize)
        showEmptyHint();
    for (int i = 1; i <= 5; ++i) {
        if (watched != MaskEdBox1[i])
            continue;
        if (event->type() == QEvent::KeyPress) {
            bolEntryReset = false; // a key in any entry box ends the reset, before its change
            // Backspace in an empty box goes back to the box before, where the next one deletes
            // its digit: a wrong digit is mended without the mouse.
            if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Backspace && i > 1 &&
                MaskEdBox1[i]->text().isEmpty()) {
                MaskEdBox1[i - 1]->setFocus(Qt::OtherFocusReason);
                MaskEdBox1[i - 1]->end(false);
                return true;
            }
        } else if (event->type() == QEvent::MouseButtonPress &&
                   static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            // A one-digit box takes its digit only at its start: a click anywhere in it puts the
            // caret there, so the digit typed next is not lost behind the "_".
            MaskEdBox1[i]->setFocus(Qt::MouseFocusReason);
            MaskEdBox1[i]->setCursorPosition(0);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void HistoryPanel::MaskEdBox1_Change(int index)
{
    if (index == 5 && !MaskEdBox1[5]->text().isEmpty() && !bolEntryReset) {
        Digits digits{};
        for (int i = 1; i <= 5; ++i) {
            const QString text = MaskEdBox1[i]->text();
            digits[i - 1] = static_cast<uint8_t>(text.isEmpty() ? 0 : text.toInt()); // "_" is 0
        }
        emit drawEntered(digits);
    }
    if (!bolEntryReset && index >= 1 && index <= 4 && !MaskEdBox1[index]->text().isEmpty())
        MaskEdBox1[index + 1]->setFocus();
}
