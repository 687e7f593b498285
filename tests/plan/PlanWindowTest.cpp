// The 计划 window over a history: a ledger worked out on its worker and changed in place, bad
// input stopped at its field, the next numbers copied, plans saved and opened, the ledger exported.

#include "PlanWindow.h"
#include "HistoryStore.h"
#include "PlanLedgerModel.h"
#include "PlanTestHistory.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quorlent;
using namespace quorlent::plan;

namespace {

TEST(PlanWindow, LedgerChangesInPlaceAndBadInputStopsAtItsField)
{
    QTemporaryDir dir;
    HistoryStore store;
    store.open(QDir(dir.path()).filePath(QStringLiteral("Varnibo.mdb")));
    ASSERT_TRUE(store.isOpen());
    std::mt19937 rng(9);
    DrawRun run;
    std::vector<DrawRecord> records;
    for (const HistoryRow &row : plantest::randomPlanRows(rng, 600))
        records.push_back(run.append(row.sqqh, row.digits(), 1));
    ASSERT_TRUE(store.replaceAll(records));

    PlanWindow window(store, dir.path());
    EXPECT_EQ(window.objectName(), QStringLiteral("frmJihua"));
    PlanDefinition plan = PlanDefinition::defaults(store.game());
    plan.digits.required = {0b111, 0, 0, 0, 0};
    plan.play = QStringLiteral("position-1");
    plan.range = PlanRange::latest(500);
    window.setDefinition(plan);
    ASSERT_TRUE(window.compute());
    window.waitForWork();
    ASSERT_NE(window.ledger(), nullptr);
    const Ledger *ledger = window.ledger();
    EXPECT_EQ(window.ledgerModel().rowCount(), 500);
    EXPECT_EQ(window.nextText(false), QStringLiteral("0 1 2"));
    EXPECT_NE(window.summaryText().indexOf(QStringLiteral("随机命中率 30.00%")), -1);
    EXPECT_NE(window.summaryText().indexOf(QStringLiteral("资金耗尽的概率")), -1);
    window.findChild<QPushButton *>(QStringLiteral("cmdCopyLines"))->click();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("0\n1\n2"));

    // Another play: the same ledger, its bets made again.
    auto *play = window.findChild<QComboBox *>(QStringLiteral("cboPlay"));
    play->setCurrentIndex(play->findData(QStringLiteral("front-two-direct")));
    EXPECT_EQ(window.ledger(), ledger);
    EXPECT_EQ(window.ledgerModel().text(0, PlanLedgerModel::Bets), QStringLiteral("30"));
    EXPECT_EQ(window.nextText(false).left(8), QStringLiteral("00 01 02"));

    const QString path = QDir(dir.path()).filePath(QStringLiteral("账本.xls"));
    EXPECT_EQ(window.saveWorkbook(path), QString());
    EXPECT_TRUE(QFile::exists(path));

    auto *name = window.findChild<QComboBox *>(QStringLiteral("cboPlanName"));
    name->setEditText(QStringLiteral("前二"));
    window.findChild<QPushButton *>(QStringLiteral("cmdSave"))->click();
    EXPECT_TRUE(PlanFolder(dir.path()).contains(QStringLiteral("前二")));

    // 守号 of four digits for 五星直选: nothing runs, the message names the field.
    PlanDefinition typed = window.definition();
    typed.source = SourceKind::Typed;
    typed.typed.text = QStringLiteral("1234");
    typed.play = QStringLiteral("five-direct");
    window.setDefinition(typed);
    EXPECT_FALSE(window.compute());
    EXPECT_EQ(window.errorText(), QStringLiteral("守号：“1234”有 4 位数字，五星直选每注 5 位"));
    EXPECT_EQ(window.ledger(), ledger);

    name->setEditText(QStringLiteral("前二"));
    window.findChild<QPushButton *>(QStringLiteral("cmdOpen"))->click();
    EXPECT_EQ(window.definition().play, QStringLiteral("front-two-direct"));
    EXPECT_EQ(window.definition().source, SourceKind::Digits);
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    // Listing the tests runs this without a display too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
