// Usage: take_filter_screenshot <sample history file> <picture.png>
// The 缩水 window on a 1366×768 screen as a person sees it, opened from the main window on the
// sample history with eight conditions of 五星 and their records over the whole history. Run it
// on a real display of that size (xvfb-run): the picture is a grab of the whole screen.
#include "FilterConditionModel.h"
#include "FilterWindow.h"
#include "SampleProgramFolder.h"
#include "frmMain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QScreen>
#include <QTableView>
#include <QTest>

using namespace quorlent::filter;

namespace {

// A new row as the window makes it: every digit allowed where a row lists digits per position.
Condition condition(ConditionKind kind, const char *values = "")
{
    Condition c = conditionOf(kind, values);
    c.positions.fill(DigitSet::all());
    return c;
}

ConditionSet sampleSet()
{
    ConditionSet set{FilterPart::Five, Selection::Direct, {}};
    set.conditions.push_back(condition(ConditionKind::Sum, "15-32"));
    set.conditions.push_back(condition(ConditionKind::Span, "5-9"));
    set.conditions.push_back(condition(ConditionKind::BigSmall, "2:3, 3:2"));
    Condition bankers = condition(ConditionKind::Bankers);
    bankers.digits = {1, 6};
    set.conditions.push_back(bankers);
    Condition kill = condition(ConditionKind::Kill);
    kill.digits = {4};
    kill.position = 5;
    set.conditions.push_back(kill);
    Condition shape = condition(ConditionKind::Shape);
    shape.shapes = shapeBit(Shape::Group120) | shapeBit(Shape::Group60);
    set.conditions.push_back(shape);
    set.conditions.push_back(condition(ConditionKind::Repeat, "0-1"));
    Condition cold = condition(ConditionKind::Cold, "0-1");
    cold.threshold = 10;
    set.conditions.push_back(cold);
    return set;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: take_filter_screenshot <history.txt> <picture.png>\n");
        return 2;
    }
    SampleProgramFolder folder;
    QApplication app(argc, argv);
    if (!folder.import(QString::fromLocal8Bit(argv[1])))
        return 1;
    frmMain main(folder.path());
    main.show();
    if (!QTest::qWaitForWindowExposed(&main))
        return 1;
    main.findChild<QAbstractButton *>(QStringLiteral("cmdSuoshui"))->click();
    auto *window = main.findChild<FilterWindow *>();
    if (!window)
        return 1;
    if (!QTest::qWaitForWindowExposed(window))
        return 1;
    window->findChild<QComboBox *>(QStringLiteral("cboRecordWindow"))->setCurrentIndex(3); // 全部
    window->setConditionSet(sampleSet());
    window->conditionView()->selectRow(7);
    window->conditionView()->setCurrentIndex(window->conditionModel().index(7, 1));
    window->flushTogether();
    QTest::qWait(300); // let the window system map and paint what was shown
    return QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(argv[2]))
               ? 0
               : 1;
}
