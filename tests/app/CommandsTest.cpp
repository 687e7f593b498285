// The window's commands: a button and its menu entry are one action, and one state function says
// what may be done while the online update runs.
#include "AppFixture.h"

#include "HistoryCommands.h"
#include "OnlineUpdater.h"
#include "PlanOmissionModel.h"
#include "PlanWindow.h"
#include "TrendChartWindow.h"
#include "TestHttpServer.h"

#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>

using namespace quorlent;
using quorlent::test::TestHttpServer;

namespace {

// What changes or searches the history waits for the update; the rest does not.
const char *const kWaiting[] = {"mnuNewHistory", "mnuOpenHistory", "mnuGame",   "mnuXiugai",
                                "mnuErase",      "mnuClear",       "mnuDlzd",   "mnuEszhzd",
                                "mnuHuice",      "mnuDscs(0)",     "mnuDscs(1)"};
const char *const kWaitingButtons[] = {"Command1", "Command2", "Command21", "cmdRdLst",
                                       "Command4", "Command3", "cmdHuice"};
const char *const kFree[] = {"mnuDcls",   "mnuQueqi",    "mnuZoushi", "mnuSuoshui",  "mnuSetDay",
                             "mnuSetUrl", "mnuShuoming", "mnuAbout",  "mnuFrontPage",
                             "mnuJihua",  "mnuYilou"};
const char *const kFreeButtons[] = {"cmdZoushi", "cmdSuoshui", "Command9", "cmdJihua"};

} // namespace

TEST_F(AppFixture, AButtonAndItsMenuEntryAreOneCommand)
{
    open();
    for (auto [button, entry] :
         {std::pair{"Command3", "mnuErase"}, std::pair{"cmdZoushi", "mnuZoushi"},
          std::pair{"cmdHuice", "mnuHuice"}, std::pair{"cmdSuoshui", "mnuSuoshui"},
          std::pair{"cmdJihua", "mnuJihua"}}) {
        SCOPED_TRACE(button);
        auto *b = find<QPushButton>(button);
        QAction *a = action(entry);
        QSignalSpy triggered(a, &QAction::triggered);
        a->setEnabled(false);
        EXPECT_FALSE(b->isEnabled()) << "the button is enabled as its action is";
        a->setEnabled(true);
        EXPECT_TRUE(b->isEnabled());
        b->click();
        EXPECT_EQ(triggered.size(), 1);
    }
    // The button keeps its design caption beside the entry's.
    EXPECT_EQ(find<QPushButton>("Command3")->text(), "删除最后历史(&D)");
    EXPECT_EQ(action("mnuErase")->text(), "删除最后历史(&E)");
    // A segment base chosen again stays the one checked.
    action("mnuDscs(1)")->trigger();
    EXPECT_TRUE(action("mnuDscs(1)")->isChecked());
    EXPECT_FALSE(action("mnuDscs(0)")->isChecked());
}

TEST_F(AppFixture, WhileTheUpdateRunsWhatChangesOrSearchesTheHistoryWaits)
{
    qputenv("QUORLENT_NOW", "2016-09-08T15:00:00");
    TestHttpServer server;
    ASSERT_TRUE(server.start());
    for (int day = 0; day <= 6; ++day)
        server.serveDay(QDate(2016, 9, 8).addDays(-day), {TestHttpServer::Response::noAnswer()});
    setStored("txtUpdateUrl", server.baseAddress());
    storeDraws({{160908077, {1, 1, 1, 1, 1}}});
    open();
    whenModal<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Ok)->click(); });
    find<QPushButton>("Command21")->click();
    auto *commands = window().findChild<HistoryCommands *>();
    ASSERT_NE(commands, nullptr);
    ASSERT_TRUE(commands->isUpdating());
    for (const char *name : kWaiting)
        EXPECT_FALSE(action(name)->isEnabled()) << name;
    for (const char *name : kWaitingButtons)
        EXPECT_FALSE(find<QPushButton>(name)->isEnabled()) << name;
    for (const char *name : kFree)
        EXPECT_TRUE(action(name)->isEnabled()) << name;
    for (const char *name : kFreeButtons)
        EXPECT_TRUE(find<QPushButton>(name)->isEnabled()) << name;
    EXPECT_FALSE(box("MaskEdBox1(1)")->isEnabled());

    commands->updater().cancel();
    QTRY_VERIFY_WITH_TIMEOUT(find<QPushButton>("Command21")->isEnabled(), 20000);
    for (const char *name : kWaiting)
        EXPECT_TRUE(action(name)->isEnabled()) << name;
    for (const char *name : kWaitingButtons)
        EXPECT_TRUE(find<QPushButton>(name)->isEnabled()) << name;
    EXPECT_TRUE(box("MaskEdBox1(1)")->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    close();
    qunsetenv("QUORLENT_NOW");
}

// 计划 opens one window however often it is asked for; 遗漏统计, from 分析 or from the trend chart,
// is that window's omission table, brought to the front and counted on the open history.
TEST_F(AppFixture, PlanAndItsOmissionTableOpenFromTheMenuAndTheTrendChart)
{
    storeDraws({{160908001, {1, 2, 3, 4, 5}}, {160908002, {6, 2, 3, 4, 5}}});
    open();
    find<QPushButton>("cmdJihua")->click();
    auto *plan = window().findChild<PlanWindow *>();
    ASSERT_NE(plan, nullptr);
    EXPECT_EQ(plan->objectName(), "frmJihua");
    action("mnuJihua")->trigger();
    EXPECT_EQ(window().findChildren<PlanWindow *>().size(), 1);

    const auto omissionTabShown = [&] {
        return plan->tabs()->tabText(plan->tabs()->currentIndex()) == "遗漏统计";
    };
    plan->tabs()->setCurrentIndex(0);
    action("mnuYilou")->trigger();
    EXPECT_TRUE(omissionTabShown());
    // 万位 1 came out one draw before the newest: 当前遗漏 1; 6 came out in the newest: 0.
    const auto current = [&](int digit) -> int64_t {
        for (const plan::OmissionRow &row : plan->omissionModel().table())
            if (row.position == 0 && !row.attribute && row.value == digit)
                return row.stats.current;
        return -1;
    };
    EXPECT_EQ(current(1), 1);
    EXPECT_EQ(current(6), 0);

    plan->tabs()->setCurrentIndex(0);
    find<QPushButton>("cmdZoushi")->click();
    auto *chart = window().findChild<TrendChartWindow *>();
    ASSERT_NE(chart, nullptr);
    chart->findChild<QPushButton *>("cmdOmissions")->click();
    EXPECT_TRUE(omissionTabShown());
    EXPECT_EQ(window().findChildren<PlanWindow *>().size(), 1);
}
