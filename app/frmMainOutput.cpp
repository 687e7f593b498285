// Spreadsheet export of the grids and the help links.
#include "BusyCursor.h"
#include "GridExport.h"
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

void frmMain::MSFlexGrid1_DblClick() { exportGrid(MSFlexGrid1, QStringLiteral("lishi.xls")); }

void frmMain::mnuDcls_Click() { exportGrid(MSFlexGrid1, QStringLiteral("lishi.xls")); }

void frmMain::MSFlexGrid2_DblClick() { exportGrid(MSFlexGrid2, QStringLiteral("Jiansuo.xls")); }

void frmMain::MSFlexGrid3_DblClick() { exportGrid(MSFlexGrid3, QStringLiteral("Jieguo.xls")); }

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
        {MSFlexGrid1, &frmMain::MSFlexGrid1_DblClick},
        {MSFlexGrid2, &frmMain::MSFlexGrid2_DblClick},
        {MSFlexGrid3, &frmMain::MSFlexGrid3_DblClick}};
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
    for (QTableView *grid : {MSFlexGrid1, MSFlexGrid2, MSFlexGrid3}) {
        grid->viewport()->installEventFilter(this);
        grid->horizontalHeader()->installEventFilter(this);
    }
    connect(mnuDcls, &QAction::triggered, this, &frmMain::mnuDcls_Click);
    for (const help::Link &link : help::kLinks) {
        QAction *action = findChild<QAction *>(QLatin1String(link.actionName));
        const char *address = link.address;
        connect(action, &QAction::triggered, this, [this, address] { openHelpLink(address); });
    }
}
