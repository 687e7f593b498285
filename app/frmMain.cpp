#include "frmMain.h"

frmMain::frmMain(const QString &programFolder, QWidget *parent) : QMainWindow(parent)
{
    Q_UNUSED(programFolder);
    setWindowTitle(QStringLiteral("Quorlent"));
}
