// Spreadsheet export of the grids, the outcome chart's picture and the help links.
#include "BusyCursor.h"
#include "GridExport.h"
#include "HelpLinks.h"
#include "HistoryPanel.h"
#include "Opener.h"
#include "OutcomeChartView.h"
#include "Prompts.h"
#include "ResultsPanel.h"
#include "frmMain.h"

#include <QAction>
#include <QDir>
#include <QHeaderView>
#include <QTableView>

using namespace quorlent;

void frmMain::connectOutput()
{
    // A double click anywhere on a grid exports it, its header and empty area included.
    for (QTableView *grid :
         {m_historyPanel->grid(), m_results->hitGrid(), m_results->tallyGrid()}) {
        grid->viewport()->installEventFilter(this);
        grid->horizontalHeader()->installEventFilter(this);
    }
    for (const help::Link &link : help::kLinks) {
        QAction *action = findChild<QAction *>(QLatin1String(link.actionName));
        const char *address = link.address;
        connect(action, &QAction::triggered, this, [this, address] { openHelpLink(address); });
    }
    connect(m_results->chart(), &SavableChartView::imageSaved, this,
            [this](const QString &path, bool ok) {
                showStatus(
                    ok ? QStringLiteral("图片已保存：%1").arg(QDir::toNativeSeparators(path))
                       : QStringLiteral("图片未能保存：%1").arg(QDir::toNativeSeparators(path)));
            });
    connect(m_results, &ResultsPanel::useAsPositionRequested, this,
            &frmMain::mnuUseAsPosition_Click);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseButtonDblClick)
        return QMainWindow::eventFilter(watched, event);
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
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::exportGrid(QTableView *grid, const QString &fileName)
{
    const QString path = QDir(m_programFolder).filePath(fileName);
    QString error;
    {
        BusyCursor busy;
        error = GridExport::write(*grid->model(), path);
    }
    if (!error.isEmpty()) {
        prompts::tell(this, QMessageBox::Warning, QStringLiteral("导出失败"),
                      QStringLiteral("列表未能导出到 %1：%2").arg(path, error));
        return;
    }
    if (!Opener::open(path)) {
        prompts::tell(
            this, QMessageBox::Information, QStringLiteral("导出完成"),
            QStringLiteral("列表已导出到 %1，但没有可以打开它的电子表格程序。").arg(path));
        return;
    }
    showStatus(QStringLiteral("列表已导出到 %1。").arg(path));
}

void frmMain::MSFlexGrid1_DblClick()
{
    exportGrid(m_historyPanel->grid(), QStringLiteral("lishi.xls"));
}

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
    if (!Opener::open(target))
        prompts::tell(this, QMessageBox::Information, QStringLiteral("无法打开浏览器"),
                      QStringLiteral("无法启动浏览器，请手动访问：\n%1").arg(target), true);
}
