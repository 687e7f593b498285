// Usage: take_filter_screenshot <sample history file> <picture.png>
// The 缩水 window on a 1366×768 screen as a person sees it, opened from the main window on the
// sample history with the eight demonstration conditions of 五星 and their records over the whole
// history. Run it on a real display of that size (xvfb-run): the picture is a grab of the whole
// screen.
#include "DemoConditions.h"
#include "FilterConditionModel.h"
#include "FilterWindow.h"
#include "ScreenshotRun.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QTableView>

int main(int argc, char **argv)
{
    ScreenshotRun run(argc, argv, 2, "<history.txt> <picture.png>");
    if (!run.ok())
        return 2;
    if (!run.folder().import(run.argument(1)))
        return 1;
    frmMain &main = run.openWindow();
    main.findChild<QAbstractButton *>(QStringLiteral("cmdSuoshui"))->click();
    auto *window = main.findChild<FilterWindow *>();
    if (!window || !QTest::qWaitForWindowExposed(window))
        return 1;
    window->findChild<QComboBox *>(QStringLiteral("cboRecordWindow"))->setCurrentIndex(3); // 全部
    window->setConditionSet(quorlent::filter::demoConditions());
    window->conditionView()->selectRow(7);
    window->conditionView()->setCurrentIndex(window->conditionModel().index(7, 1));
    window->flushTogether();
    return ScreenshotRun::grabScreen(run.argument(2)) ? 0 : 1;
}
