// The "关于 Quorlent" entry of the 设置 menu.
#include "AboutDialog.h"
#include "frmMain.h"

void frmMain::mnuAbout_Click()
{
    AboutDialog dialog(m_programFolder, Settings::fileName(), this);
    dialog.exec();
}
