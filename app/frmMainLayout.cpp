// Composes the main window: the panels side by side, the menus above.
#include "CommandPanel.h"
#include "HistoryPanel.h"
#include "HistoryStore.h"
#include "ResultsPanel.h"
#include "SearchOptionsPanel.h"
#include "frmMain.h"

#include <QHBoxLayout>
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
    m_options = new SearchOptionsPanel(m_settings, *m_history);
    column->addWidget(m_options);
    m_commands = new CommandPanel;
    column->addWidget(m_commands);
    column->addStretch(1);
    outer->addWidget(middle, 0);

    m_results = new ResultsPanel;
    outer->addWidget(m_results, 1);

    setCentralWidget(central);
    m_menus.build(this);
    statusBar();
}
