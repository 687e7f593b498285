// The 计划 window's models keep Qt's rules through their changes and show the ledger's figures.

#include "PlanLedgerModel.h"
#include "PlanLongRunModel.h"
#include "PlanOmissionModel.h"
#include "PlanRun.h"
#include "PlanTestHistory.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace quorlent;
using namespace quorlent::plan;

namespace {

TEST(PlanModels, LedgerFollowsAChangeOfPlayWithoutNewRows)
{
    std::mt19937 rng(3);
    const std::vector<HistoryRow> rows = plantest::randomPlanRows(rng, 400);
    PlanDefinition d = PlanDefinition::defaults(Game::standard());
    d.source = SourceKind::Digits;
    d.digits.required = {0b1110, 0, 0, 0, 0b11};
    d.range = PlanRange::latest(300);
    const PlanRun run = runPlan(rows, Game::standard(), d);
    ASSERT_TRUE(run.ok());

    PlanLedgerModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setLedger(run.ledger.get(), Game::standard());
    ASSERT_EQ(model.rowCount(), 300);
    EXPECT_EQ(model.text(0, PlanLedgerModel::Issue), plantest::issueText(rows[100]));
    EXPECT_EQ(model.text(0, PlanLedgerModel::Numbers), QStringLiteral("6000 个号码"));
    EXPECT_EQ(model.text(0, PlanLedgerModel::Cost), QStringLiteral("12000"));

    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    ASSERT_FALSE(run.ledger->setPlay(*playById(QStringLiteral("front-two-direct")), d.prizes));
    model.ledgerChanged();
    EXPECT_EQ(reset.count(), 0);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(model.text(0, PlanLedgerModel::Numbers), QStringLiteral("30 个号码"));
    EXPECT_TRUE(model.data(model.index(0, PlanLedgerModel::Numbers), Qt::ToolTipRole)
                    .toString()
                    .startsWith(QStringLiteral("30 注：\n10 11 12")));
    for (int r = 0; r < model.rowCount(); ++r) {
        const QString result = model.text(r, PlanLedgerModel::Result);
        const Digits &draw = rows[size_t(100 + r)].digits();
        EXPECT_EQ(result == QStringLiteral("中"), draw[0] >= 1 && draw[0] <= 3) << r;
        EXPECT_EQ(model.text(r, PlanLedgerModel::Balance),
                  moneyText(run.ledger->balance(size_t(r))));
    }
    // Few numbers are shown themselves.
    ASSERT_FALSE(run.ledger->setPlay(*playById(QStringLiteral("position-1")), d.prizes));
    model.ledgerChanged();
    EXPECT_EQ(model.text(0, PlanLedgerModel::Numbers), QStringLiteral("1 2 3"));
    model.setLedger(nullptr, Game::standard());
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(PlanModels, LongRunsAndOmissionsSortByValue)
{
    std::mt19937 rng(8);
    const std::vector<HistoryRow> rows = plantest::randomPlanRows(rng, 1000);
    PlanOmissionModel omissions;
    QAbstractItemModelTester omissionTester(&omissions,
                                            QAbstractItemModelTester::FailureReportingMode::Fatal);
    omissions.setTable(omissionTable(rows, 0, rows.size(), trend::StatsOrigin::Carried));
    ASSERT_EQ(omissions.rowCount(), 70);
    const QPersistentModelIndex kept = omissions.index(13, PlanOmissionModel::Value); // 万位 双
    omissions.sort(PlanOmissionModel::Current, Qt::DescendingOrder);
    for (int r = 1; r < omissions.rowCount(); ++r)
        EXPECT_GE(omissions.sortValue(r - 1, PlanOmissionModel::Current),
                  omissions.sortValue(r, PlanOmissionModel::Current));
    EXPECT_EQ(omissions.text(kept.row(), PlanOmissionModel::Value), QStringLiteral("双"));
    EXPECT_EQ(omissions.text(kept.row(), PlanOmissionModel::Position), QStringLiteral("万位"));

    PlanLongRunModel runs;
    QAbstractItemModelTester runTester(&runs,
                                       QAbstractItemModelTester::FailureReportingMode::Fatal);
    runs.setRuns(longRuns(rows, 1));
    ASSERT_EQ(runs.rowCount(), 23);
    for (int r = 1; r < runs.rowCount(); ++r)
        EXPECT_GE(runs.runs()[size_t(r - 1)].length, runs.runs()[size_t(r)].length);
    runs.sort(PlanLongRunModel::Chance, Qt::AscendingOrder);
    EXPECT_LE(runs.runs().front().chance, runs.runs().back().chance);
}

} // namespace
