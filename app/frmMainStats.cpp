// The outcome chart beside the tally grid and the backtest (回测).
#include "BacktestDialog.h"
#include "OutcomeChartView.h"
#include "OutcomeSummary.h"
#include "SearchResult.h"
#include "frmMain.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>

using namespace quorlent;

namespace {

// The tally grid keeps the width of its columns (and room for a scroll bar); the chart beside it
// takes the rest.
void fitToColumns(QTableView *grid)
{
    int width = 2 * grid->frameWidth() + grid->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        width += grid->columnWidth(c);
    grid->setFixedWidth(width);
}

} // namespace

void frmMain::setUpStats()
{
    chartOutcome->setProposedPath(QDir(m_programFolder).filePath(QStringLiteral("结果分布.png")));
    connect(
        chartOutcome, &SavableChartView::imageSaved, this, [this](const QString &path, bool ok) {
            showStatus(ok ? QStringLiteral("图片已保存：%1").arg(QDir::toNativeSeparators(path))
                          : QStringLiteral("图片未能保存：%1").arg(QDir::toNativeSeparators(path)));
        });
    lblOutcomeStats->setToolTip(chanceNote());
    connect(cmdHuice, &QPushButton::clicked, this, &frmMain::cmdHuice_Click);
    fitToColumns(MSFlexGrid3);
}

void frmMain::showOutcomeStats(const SearchResult &result)
{
    fitToColumns(MSFlexGrid3);
    chartOutcome->setTally(result.tally);
    lblOutcomeStats->setText(
        outcomeSummary(static_cast<int64_t>(result.hits.size()), chartOutcome->statistics()));
}

BacktestRequest frmMain::backtestRequest() const
{
    BacktestRequest request;
    request.request = searchRequest();
    request.tally = tallyOptions();
    request.typedReference = bolShoudong;
    return request;
}

void frmMain::cmdHuice_Click()
{
    if (!m_backtest) {
        m_backtest = new BacktestDialog(
            *m_history, [this] { return backtestRequest(); }, cmdHuice, this);
        m_backtest->setImagePath(QDir(m_programFolder).filePath(QStringLiteral("回测.png")));
    }
    m_backtest->show();
    m_backtest->raise();
    m_backtest->activateWindow();
}
