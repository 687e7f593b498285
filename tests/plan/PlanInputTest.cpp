// Bad input is refused at its field and nothing runs; plans saved and read back.

#include "PlanFolder.h"
#include "PlanRun.h"
#include "PlanTestHistory.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quorlent;
using namespace quorlent::plan;

namespace {

// The first error running the plan on a short history gives: its field and message.
std::pair<QString, QString> refusal(const PlanDefinition &plan)
{
    static const std::vector<HistoryRow> rows =
        plantest::planRows({{1, 2, 3, 4, 5}, {5, 4, 3, 2, 1}, {0, 0, 0, 0, 0}});
    const PlanRun run = runPlan(rows, Game::standard(), plan);
    EXPECT_FALSE(run.ok());
    if (run.errors.empty())
        return {};
    return {run.errors.front().field, run.errors.front().message};
}

TEST(PlanInput, BadInputIsRefusedAtItsField)
{
    PlanDefinition plan = PlanDefinition::defaults(Game::standard());
    plan.source = SourceKind::Typed;
    plan.typed.text = QStringLiteral("12345 1234");
    EXPECT_EQ(refusal(plan),
              std::make_pair(QStringLiteral("守号"),
                             QStringLiteral("“1234”有 4 位数字，五星直选每注 5 位")));
    plan.play = QStringLiteral("front-three-pair");
    plan.typed.text = QStringLiteral("112 123");
    EXPECT_EQ(refusal(plan).second, QStringLiteral("“123”：组三须有且只有两个数字相同"));
    plan.play = QStringLiteral("attribute-1");
    plan.typed.text = QStringLiteral("大 中");
    EXPECT_EQ(refusal(plan).second, QStringLiteral("“中”不是大、小、单、双"));

    PlanDefinition search = PlanDefinition::defaults(Game::standard());
    search.source = SourceKind::Search;
    search.search.tally.resultKind = Kind::OddEven;
    search.search.top = 3;
    EXPECT_EQ(refusal(search),
              std::make_pair(QStringLiteral("前 k 个结果"),
                             QStringLiteral("结果类型 单双 只有 2 个结果，k 不能大于 2")));

    PlanDefinition staking = PlanDefinition::defaults(Game::standard());
    staking.progression = Progression::list({1, 2, 0, 8});
    EXPECT_EQ(refusal(staking), std::make_pair(QStringLiteral("倍数列表"),
                                               QStringLiteral("第 3 个倍数为 0，倍数至少为 1")));
    staking.progression = Progression::flat(0);
    EXPECT_EQ(refusal(staking).first, QStringLiteral("倍数"));
    staking.progression = Progression::doubling(4, 2);
    EXPECT_EQ(refusal(staking).first, QStringLiteral("最高倍数"));

    PlanDefinition prizes = PlanDefinition::defaults(Game::standard());
    prizes.prizes.prizes[size_t(PrizeLine::BackTwoGroup)] = -1;
    EXPECT_EQ(refusal(prizes),
              std::make_pair(QStringLiteral("奖金（后二组选）"), QStringLiteral("奖金不能为负数")));
    prizes = PlanDefinition::defaults(Game::standard());
    prizes.prizes.price = 0;
    EXPECT_EQ(refusal(prizes).first, QStringLiteral("单注价格"));

    PlanDefinition digits = PlanDefinition::defaults(Game::standard());
    digits.digits.required[1] = 0b11;
    digits.digits.killedEverywhere = 0b1;
    digits.digits.killed[1] = 0b10;
    EXPECT_EQ(refusal(digits).second, QStringLiteral("千位：杀号和定胆之后没有可选的数字"));

    PlanDefinition range = PlanDefinition::defaults(Game::standard());
    range.range = PlanRange::issues(QStringLiteral("2016-09-08"), QStringLiteral("20160908003"));
    EXPECT_EQ(refusal(range).first, QStringLiteral("范围"));

    // A 缩水 方案 of 后二 cannot be played as 前三.
    PlanDefinition scheme = PlanDefinition::defaults(Game::standard());
    scheme.source = SourceKind::Scheme;
    scheme.scheme.set.part = filter::FilterPart::BackTwo;
    scheme.play = QStringLiteral("front-three-direct");
    EXPECT_EQ(refusal(scheme),
              std::make_pair(QStringLiteral("玩法"),
                             QStringLiteral("计划的号码只有后二，不能用于前三直选")));
}

TEST(PlanInput, PrizeTablesKnowTheirSourcesAndTheHouseShare)
{
    const PrizeTable many = PrizeTable::defaults(Game::standard());
    EXPECT_EQ(many.prize(PrizeLine::FiveDirect), 100000 * kCentsPerYuan);
    EXPECT_NEAR(many.houseShare(PrizeLine::BackThreePair), 0.52, 1e-12); // 320 × 3/1000 of 2 元
    EXPECT_TRUE(PrizeTable::sourceOf(Game::standard(), PrizeLine::BackThreeDirect).published);
    EXPECT_FALSE(PrizeTable::sourceOf(Game::standard(), PrizeLine::BigSmallOddEven).published);
    const Game daily = *Game::make(1, IssueForm::YearSequence4);
    const PrizeTable once = PrizeTable::defaults(daily);
    EXPECT_EQ(once.prize(PrizeLine::FrontThreeDirect), 1040 * kCentsPerYuan);
    EXPECT_EQ(once.prize(PrizeLine::FrontThreeDistinct), 173 * kCentsPerYuan);
    EXPECT_NEAR(once.houseShare(PrizeLine::FrontThreeDirect), 0.48, 1e-12);
    EXPECT_FALSE(PrizeTable::sourceOf(daily, PrizeLine::BackThreeDirect).published);
    EXPECT_EQ(parseMoney(QStringLiteral("1,040.5")), 104050);
    EXPECT_EQ(parseMoney(QStringLiteral("1.234")), std::nullopt);
    EXPECT_EQ(moneyText(-1250), QStringLiteral("-12.5"));
}

TEST(PlanInput, PlansAreSavedAndOpenedByName)
{
    QTemporaryDir dir;
    const PlanFolder folder(dir.path());
    PlanDefinition plan = PlanDefinition::defaults(Game::standard());
    plan.source = SourceKind::Scheme;
    plan.scheme.name = QStringLiteral("和值");
    plan.scheme.set.part = filter::FilterPart::MiddleThree;
    plan.scheme.set.conditions = {filter::conditionOf(filter::ConditionKind::Sum, "10-17")};
    plan.search.top = 3;
    plan.search.request.kind = Kind::Segment;
    plan.digits.killed[2] = 0b1001;
    plan.typed.text = QStringLiteral("123\n456");
    plan.play = QStringLiteral("middle-three-group");
    plan.prizes.prizes[3] = 12345;
    plan.progression = Progression::list({1, 2, 4});
    plan.startBalance = 250050;
    plan.range = PlanRange::issues(QStringLiteral("20160908001"), QStringLiteral("20160908100"));
    ASSERT_EQ(folder.save(QStringLiteral("计划10"), plan), QString());
    ASSERT_EQ(folder.save(QStringLiteral("计划2"), PlanDefinition::defaults(Game::standard())),
              QString());
    EXPECT_EQ(folder.names(), QStringList({QStringLiteral("计划2"), QStringLiteral("计划10")}));
    const PlanReading read = folder.load(QStringLiteral("计划10"), Game::standard());
    ASSERT_TRUE(read.plan) << read.error.toStdString();
    EXPECT_EQ(*read.plan, plan);

    EXPECT_FALSE(folder.save(QStringLiteral("a/b"), plan).isEmpty());
    EXPECT_FALSE(
        planFromJson("{\"format\":\"quorlent-plan\",\"version\":9}", Game::standard()).plan);
    const PlanReading bad = planFromJson(
        "{\"format\":\"quorlent-plan\",\"version\":1,\"progression\":{\"kind\":\"spiral\"}}",
        Game::standard());
    EXPECT_EQ(bad.error, QStringLiteral("倍投的“kind”无法读取"));
}

} // namespace
