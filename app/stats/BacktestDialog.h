#pragma once

#include "Backtest.h"

#include <QDialog>
#include <QPointer>
#include <atomic>
#include <functional>

class BacktestChartView;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QThread;
namespace quorlent {
class HistoryStore;
}

// The backtest window (回测): how the follow-pattern or the combination search, with the main
// window's current options, would have fared had it been used before every draw of the range.
// Non-modal. A run works off the user-interface thread on a copy of the history; cancel stops
// it at once, and so does any change of the history while it runs.
class BacktestDialog : public QDialog
{
    Q_OBJECT

public:
    // `options` gives the main window's options when a run starts (the search chosen here
    // replaces its search). The start button is enabled only while `launcher` is.
    BacktestDialog(quorlent::HistoryStore &history,
                   std::function<quorlent::BacktestRequest()> options, QWidget *launcher,
                   QWidget *parent = nullptr);
    ~BacktestDialog() override;

    // A run's thread has not ended yet.
    bool isRunning() const { return m_thread != nullptr; }
    // The last run that completed.
    const quorlent::BacktestResult &result() const { return m_result; }
    // Where the chart's save dialog opens, and the name it offers.
    void setImagePath(const QString &path);

    void start();
    void cancel(const QString &reason);

signals:
    // A run ended, completed or cancelled; its thread is gone.
    void runEnded();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void reject() override;

private:
    void threadEnded();
    void showFigures();
    void updateButtons();

    quorlent::HistoryStore &m_history;
    std::function<quorlent::BacktestRequest()> m_options;
    QPointer<QWidget> m_launcher;

    // The run: written by its thread until it ends, read here after.
    QThread *m_thread = nullptr;
    std::atomic<bool> m_cancel{false};
    std::vector<quorlent::HistoryRow> m_rows;
    quorlent::BacktestRequest m_request;
    quorlent::BacktestResult m_pending;
    QString m_cancelReason;
    quorlent::BacktestResult m_result;

    QRadioButton *m_follow = nullptr;
    QRadioButton *m_combination = nullptr;
    QPushButton *m_start = nullptr;
    QPushButton *m_stop = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_status = nullptr;
    QLabel *m_figures = nullptr;
    QLabel *m_verdict = nullptr;
    BacktestChartView *m_chart = nullptr;
};
