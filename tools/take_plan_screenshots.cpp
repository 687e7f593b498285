// Usage: take_plan_screenshots <sample history file> <folder for the pictures>
// The 计划 window on a 1366×768 screen as a person sees it, on the sample history: the ledger of
// a search plan with a doubling progression (plan-ledger.png), the 长龙 list (plan-runs.png), the
// omission table (plan-omissions.png) and the prize table (plan-prizes.png). Run it on a real
// display of that size (xvfb-run): each picture is a grab of the whole screen.
#include "HistoryStore.h"
#include "PlanWindow.h"
#include "QtChineseTexts.h"
#include "SampleProgramFolder.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

using namespace quorlent;
using namespace quorlent::plan;

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: take_plan_screenshots <history.txt> <folder>\n");
        return 2;
    }
    SampleProgramFolder folder;
    QApplication app(argc, argv);
    installQtChineseTexts(app);
    if (!folder.import(QString::fromLocal8Bit(argv[1])))
        return 1;
    HistoryStore store;
    store.open(QDir(folder.path()).filePath(QStringLiteral("Varnibo.mdb")));
    PlanWindow window(store, folder.path());
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;

    // 前 3 个 of the follow search on the 十位 and 个位 of the draw before, 定位胆 at the 个位,
    // doubling after a miss up to 16 倍, over the whole sample history.
    PlanDefinition plan = PlanDefinition::defaults(store.game());
    plan.source = SourceKind::Search;
    plan.search.request.selected = {false, false, false, true, true};
    plan.search.top = 3;
    plan.play = QStringLiteral("position-5");
    plan.progression = Progression::doubling(1, 16);
    plan.startBalance = 500 * kCentsPerYuan;
    plan.range = PlanRange::all();
    window.setDefinition(plan);
    if (!window.compute())
        return 1;
    window.waitForWork();
    // What the plan came to against chance, for whoever looks at the pictures.
    std::printf("%s\n", qPrintable(window.summaryText()));

    const QDir out(QString::fromLocal8Bit(argv[2]));
    auto shoot = [&](int tab, const char *name) {
        window.tabs()->setCurrentIndex(tab);
        QTest::qWait(300); // let the window system map and paint what was shown
        return QGuiApplication::primaryScreen()->grabWindow(0).save(
            out.filePath(QLatin1String(name)));
    };
    bool ok = shoot(0, "plan-ledger.png") && shoot(1, "plan-prizes.png");
    window.findChild<QSpinBox *>(QStringLiteral("spnMinRun"))->setValue(3);
    ok = ok && shoot(2, "plan-runs.png") && shoot(3, "plan-omissions.png");
    return ok ? 0 : 1;
}
