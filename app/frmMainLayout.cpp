// Composes the main window: the panels side by side, the menus above, the update's progress in
// the status bar.
#include "CommandPanel.h"
#include "HistoryPanel.h"
#include "HistoryStore.h"
#include "OutcomeChartView.h"
#include "ResultsPanel.h"
#include "SearchOptionsPanel.h"
#include "frmMain.h"

#include <QDir>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QStatusBar>
#include <QVBoxLayout>

void frmMain::buildControls()
{
    auto *central = new QWidget;
    auto *outer = new QHBoxLayout(central);
    outer->setContentsMargins(6, 6, 6, 0);

    m_historyPanel = new HistoryPanel(*m_history);
    outer->addWidget(m_historyPanel, 0);

    auto *middle = new QWidget;
    auto *column = new QVBoxLayout(middle);
    column->setContentsMargins(0, 0, 0, 0);
    m_options = new SearchOptionsPanel(m_settings, *m_history,
                                       m_commands.button(Command::CombinationSearch));
    column->addWidget(m_options);
    m_commandPanel = new CommandPanel(m_commands);
    column->addWidget(m_commandPanel);
    column->addStretch(1);
    outer->addWidget(middle, 0);

    m_results = new ResultsPanel(*m_history);
    m_results->chart()->setProposedPath(
        QDir(m_programFolder).filePath(QStringLiteral("结果分布.png")));
    outer->addWidget(m_results, 1);
    setCentralWidget(central);

    m_updateProgress = new QProgressBar;
    m_updateProgress->setObjectName(QStringLiteral("updateProgress"));
    m_updateProgress->setMaximumWidth(200);
    m_updateProgress->setFormat(QStringLiteral("%v/%m 天"));
    m_updateProgress->hide();
    statusBar()->addPermanentWidget(m_updateProgress);
}
