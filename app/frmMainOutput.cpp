// Spreadsheet export of the grids and the help links.
#include "BusyCursor.h"
#include "GridExport.h"
#include "HelpWindow.h"
#include "HistoryPanel.h"
#include "ResultsPanel.h"
#include "HelpLinks.h"
#include "Opener.h"
#include "frmMain.h"

#include <QAction>
#include <QDir>
#include <QHeaderView>
#include <QMessageBox>
#include <QTableView>

using namespace quorlent;

void frmMain::exportGrid(QTableView *grid, const QString &fileName)
{
    const QString path = QDir(m_programFolder).filePath(fileName);
    QString error;
    {
        BusyCursor busy;
        error = GridExport::write(*grid->model(), path);
    }
    if (!error.isEmpty()) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("导出失败"),
                        QStringLiteral("列表未能导出到 %1：%2").arg(path, error), QMessageBox::Ok,
                        this);
        box.exec();
        return;
    }
    if (!Opener::open(path)) {
        QMessageBox box(QMessageBox::Information, QStringLiteral("导出完成"),
                        QStringLiteral("列表已导出到 %1，但没有可以打开它的电子表格程序。").arg(path),
                        QMessageBox::Ok, this);
        box.exec();
        return;
    }
    showStatus(QStringLiteral("列表已导出到 %1。").arg(path));
}

void frmMain::MSFlexGrid1_DblClick()
{
    exportGrid(m_historyPanel->grid(), QStringLiteral("lishi.xls"));
}

void frmMain::mnuDcls_Click() { exportGrid(m_historyPanel->grid(), QStringLiteral("lishi.xls")); }

void frmMain::MSFlexGrid2_DblClick()
{
    exportGrid(m_results->hitGrid(), QStringLiteral("Jiansuo.xls"));
}

void frmMain::MSFlexGrid3_DblClick()
{
    exportGrid(m_results->tallyGrid(), QStringLiteral("Jieguo.xls"));
}

void frmMain::openHelpLink(const char *address)
{
    const QString target = QString::fromUtf8(address);
    if (Opener::open(target))
        return;
    QMessageBox box(QMessageBox::Information, QStringLiteral("无法打开浏览器"),
                    QStringLiteral("无法启动浏览器，请手动访问：\n%1").arg(target), QMessageBox::Ok,
                    this);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.exec();
}

bool frmMain::gridDoubleClicked(QObject *watched)
{
    const std::pair<QTableView *, void (frmMain::*)()> grids[] = {
        {m_historyPanel->grid(), &frmMain::MSFlexGrid1_DblClick},
        {m_results->hitGrid(), &frmMain::MSFlexGrid2_DblClick},
        {m_results->tallyGrid(), &frmMain::MSFlexGrid3_DblClick}};
    for (const auto &[grid, handler] : grids) {
        if (watched == grid->viewport() || watched == grid->horizontalHeader()) {
            (this->*handler)();
            return true;
        }
    }
    return false;
}

void frmMain::connectOutput()
{
    // A double click anywhere on a grid exports it, its header and empty area included.
    for (QTableView *grid : {m_historyPanel->grid(), m_results->hitGrid(), m_results->tallyGrid()}) {
        grid->viewport()->installEventFilter(this);
        grid->horizontalHeader()->installEventFilter(this);
    }
    connect(m_menus.mnuDcls, &QAction::triggered, this, &frmMain::mnuDcls_Click);
    connect(m_menus.mnuShuoming, &QAction::triggered, this, &frmMain::mnuShuoming_Click);
    for (const help::Link &link : help::kLinks) {
        QAction *action = findChild<QAction *>(QLatin1String(link.actionName));
        const char *address = link.address;
        connect(action, &QAction::triggered, this, [this, address] { openHelpLink(address); });
    }
}

void frmMain::mnuShuoming_Click()
{
    // One help window, brought to the front when asked again.
    if (!m_helpWindow) {
        auto *help = new HelpWindow(this);
        help->setAttribute(Qt::WA_DeleteOnClose);
        m_helpWindow = help;
    }
    m_helpWindow->show();
    m_helpWindow->raise();
    m_helpWindow->activateWindow();
}
