#pragma once

#include "Tally.h"

#include <QWidget>

class OutcomeChartView;
class QAction;
class QLabel;
class QTableView;
namespace quorlent {
class HistoryStore;
class HitListModel;
class TallyModel;
struct SearchResult;
} // namespace quorlent

// What the last search found: the hit list (MSFlexGrid2), the outcome tally (MSFlexGrid3), the
// outcome chart beside it and the line of its statistics under them. While they describe a
// history or options that have changed since, a line over them says so. It follows the history:
// the hits name its rows, so a removal forgets them, and another history forgets the results. The
// tally grid's context menu offers 用作定位: the window takes the top outcomes into the 缩水
// window.
class ResultsPanel : public QWidget
{
    Q_OBJECT

  public:
    explicit ResultsPanel(const quorlent::HistoryStore &history, QWidget *parent = nullptr);

    // Shows a search's result over the history as it is, tallied with `options`; the results are
    // current again.
    void showResult(const quorlent::SearchResult &result, const quorlent::TallyOptions &options);
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
    // The options the tally shown was made with.
    const quorlent::TallyOptions &tallyOptions() const { return m_options; }

  signals:
    // 用作定位 was chosen in the tally grid's context menu.
    void useAsPositionRequested();

  private:
    void fitTallyGrid();

    const quorlent::HistoryStore &m_history;
    quorlent::HitListModel *m_hitModel = nullptr;
    quorlent::TallyModel *m_tallyModel = nullptr;
    quorlent::Tally m_tally;
    quorlent::TallyOptions m_options;
    QAction *mnuUseAsPosition = nullptr;
    QLabel *lblStale = nullptr;
    QTableView *MSFlexGrid2 = nullptr;
    QTableView *MSFlexGrid3 = nullptr;
    OutcomeChartView *chartOutcome = nullptr;
    QLabel *lblOutcomeStats = nullptr;
};
