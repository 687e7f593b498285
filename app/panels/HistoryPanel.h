#pragma once

#include "DrawCodes.h"

#include <QWidget>
#include <array>

class HistoryGridModel;
class NextIssue;
class QLabel;
class QLineEdit;
class QTableView;
namespace quorlent {
class Game;
class HistoryStore;
} // namespace quorlent

// The history: its grid (MSFlexGrid1, one row per stored draw, following the store) and the entry
// bar under it, where the next issue (Text1) is shown and the newest draw is typed into five
// one-digit boxes. It follows the store: the next issue is worked out again and the newest draw
// brought into view whenever draws come or go. It owns the entry's state: typing the fifth digit
// hands the draw on (drawEntered), and the boxes stay as they are until the window says it was
// stored.
class HistoryPanel : public QWidget
{
    Q_OBJECT

  public:
    explicit HistoryPanel(const quorlent::HistoryStore &history, QWidget *parent = nullptr);

    QTableView *grid() const { return MSFlexGrid1; }
    // The grid shows the newest draw once more rows are stored than its designed height holds.
    void AddHaoma();
    // Text1: the issue the next draw gets, in the game's form. Another game than the original may
    // have it typed over.
    void QihaoXianshi();
    const NextIssue &nextIssue() const { return *m_nextIssue; }
    QString shownIssue() const;
    // The draw was stored: the boxes are cleared for the next one and box 1 has the focus.
    void entryStored();
    void setEntryEnabled(bool enabled);
    // The draw chosen in the grid, else the newest; -1 when there is none.
    int chosenRow() const;
    void focusEntry();

  signals:
    // The fifth digit was typed: the five digits ("_" counts as 0).
    void drawEntered(const quorlent::Digits &digits);
    void contextMenuRequested(const QPoint &globalPosition);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

  private:
    QWidget *buildEntryBar();
    void MaskEdBox1_Change(int index);
    void showEmptyHint();

    const quorlent::HistoryStore &m_history;
    NextIssue *m_nextIssue = nullptr;
    HistoryGridModel *m_model = nullptr;
    bool bolEntryReset = false;
    QTableView *MSFlexGrid1 = nullptr;
    QLabel *lblEmptyHint = nullptr;
    QLineEdit *Text1 = nullptr;
    std::array<QLineEdit *, 6> MaskEdBox1{};
};
