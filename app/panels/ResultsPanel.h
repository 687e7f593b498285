#pragma once

#include "Tally.h"

#include <QWidget>

class OutcomeChartView;
class QAction;
class QLabel;
class QTableView;
namespace quorlent {
class HitListModel;
class TallyModel;
struct HistoryRow;
struct SearchResult;
} // namespace quorlent

// What the last search found: the hit list (MSFlexGrid2), the outcome tally (MSFlexGrid3), the
// outcome chart beside it and the line of its statistics under them. While they describe a
// history or options that have changed since, a line over them says so. The tally grid's
// context menu offers 用作定位: the window takes the top outcomes into the 缩水 window.
class ResultsPanel : public QWidget
{
    Q_OBJECT

  public:
    explicit ResultsPanel(QWidget *parent = nullptr);

    // Shows a search's result over `rows` (the history it was computed from, kept alive by the
    // caller); the results are current again.
    void showResult(const std::vector<quorlent::HistoryRow> &rows,
                    const quorlent::SearchResult &result);
    void clear();
    // The results stand, but no longer describe what the window shows: `why` says how.
    void markStale(const QString &why);
    bool isStale() const;
    // The hit list refers to history rows by index: a removal or a new history empties it.
    void forgetHits();

    QTableView *hitGrid() const { return MSFlexGrid2; }
    QTableView *tallyGrid() const { return MSFlexGrid3; }
    OutcomeChartView *chart() const { return chartOutcome; }
    // The tally the grid shows; empty (no total) before a search and after clear().
    const quorlent::Tally &tally() const { return m_tally; }

signals:
    // A search's result is shown now.
    void resultShown();
    // 用作定位 was chosen in the tally grid's context menu.
    void useAsPositionRequested();

  private:
    void fitTallyGrid();

    quorlent::HitListModel *m_hitModel = nullptr;
    quorlent::TallyModel *m_tallyModel = nullptr;
    quorlent::Tally m_tally;
    QAction *mnuUseAsPosition = nullptr;
    QLabel *lblStale = nullptr;
    QTableView *MSFlexGrid2 = nullptr;
    QTableView *MSFlexGrid3 = nullptr;
    OutcomeChartView *chartOutcome = nullptr;
    QLabel *lblOutcomeStats = nullptr;
};
