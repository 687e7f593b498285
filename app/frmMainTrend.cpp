// The trend chart window and the missing-draw check.
#include "BusyCursor.h"
#include "CommandPanel.h"
#include "HistoryStore.h"
#include "MissingDrawCheck.h"
#include "MissingDrawDialog.h"
#include "TrendChartWindow.h"
#include "frmMain.h"

#include <QAction>
#include <QPushButton>

using namespace quorlent;

void frmMain::connectTrend()
{
    connect(m_commands->cmdZoushi, &QPushButton::clicked, this, &frmMain::cmdZoushi_Click);
    connect(m_menus.mnuQueqi, &QAction::triggered, this, &frmMain::mnuQueqi_Click);
    connect(m_menus.mnuZoushi, &QAction::triggered, this, &frmMain::cmdZoushi_Click);
}

void frmMain::cmdZoushi_Click()
{
    // One chart window; pressing again brings it to the front.
    if (!m_trendWindow) {
        BusyCursor busy;
        auto *window = new TrendChartWindow(*m_history, m_settings, m_programFolder, this);
        window->setAttribute(Qt::WA_DeleteOnClose);
        m_trendWindow = window;
    }
    m_trendWindow->show();
    m_trendWindow->raise();
    m_trendWindow->activateWindow();
}

void frmMain::mnuQueqi_Click()
{
    trend::MissingDrawReport report;
    {
        BusyCursor busy;
        report = trend::checkMissingDraws(m_history->rows(), m_history->game());
    }
    MissingDrawDialog dialog(report, m_history->game(), m_programFolder, this);
    dialog.exec();
}
