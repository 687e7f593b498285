// The outcome chart's image and the backtest (回测).
#include "BacktestDialog.h"
#include "CommandPanel.h"
#include "OutcomeChartView.h"
#include "ResultsPanel.h"
#include "SearchOptionsPanel.h"
#include "frmMain.h"

#include <QAction>
#include <QDir>
#include <QPushButton>

using namespace quorlent;

void frmMain::setUpStats()
{
    OutcomeChartView *chart = m_results->chart();
    chart->setProposedPath(QDir(m_programFolder).filePath(QStringLiteral("结果分布.png")));
    connect(chart, &SavableChartView::imageSaved, this, [this](const QString &path, bool ok) {
        showStatus(ok ? QStringLiteral("图片已保存：%1").arg(QDir::toNativeSeparators(path))
                      : QStringLiteral("图片未能保存：%1").arg(QDir::toNativeSeparators(path)));
    });
    connect(m_commands->cmdHuice, &QPushButton::clicked, this, &frmMain::cmdHuice_Click);
    connect(m_menus.mnuHuice, &QAction::triggered, this, &frmMain::cmdHuice_Click);
}

BacktestRequest frmMain::backtestRequest() const
{
    BacktestRequest request;
    request.request = m_options->searchRequest();
    request.tally = m_options->tallyOptions();
    request.typedReference = m_options->isManualTab();
    return request;
}

void frmMain::cmdHuice_Click()
{
    if (!m_backtest) {
        m_backtest = new BacktestDialog(
            *m_history, [this] { return backtestRequest(); }, m_commands->cmdHuice, this);
        m_backtest->setImagePath(QDir(m_programFolder).filePath(QStringLiteral("回测.png")));
    }
    m_backtest->show();
    m_backtest->raise();
    m_backtest->activateWindow();
}
