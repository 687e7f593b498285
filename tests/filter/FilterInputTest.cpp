// What the user typed: the messages at the conditions that cannot be applied, and 方案 written,
// read back and read damaged.
#include "FilterScheme.h"
#include "Validation.h"

#include <gtest/gtest.h>

#include <random>

using namespace quorlent::filter;

namespace {

QString errorOf(const Condition &c, FilterPart part = FilterPart::FrontThree,
                Selection selection = Selection::Direct)
{
    return validate({part, selection, {c}}).front();
}

std::string text(const QString &s)
{
    return s.toStdString();
}

} // namespace

TEST(FilterInput, ValueListsAreReadAsTyped)
{
    EXPECT_EQ(errorOf(conditionOf(ConditionKind::Sum, "10-14, 20")), QString());
    EXPECT_EQ(errorOf(conditionOf(ConditionKind::Sum, "１０～１４，20、 3 - 5")), QString());
    EXPECT_EQ(text(errorOf(conditionOf(ConditionKind::Sum, "20-10"))), "和值范围 20-10 上下颠倒");
    EXPECT_EQ(text(errorOf(conditionOf(ConditionKind::Sum, "  "))), "和值没有给出任何值");
    EXPECT_EQ(text(errorOf(conditionOf(ConditionKind::Span, "3, 1x"))),
              "跨度「1x」无法识别（应写成如 10-14, 20）");
    EXPECT_EQ(text(errorOf(conditionOf(ConditionKind::Sum, "1-2-3"))),
              "和值「1-2-3」无法识别（应写成如 10-14, 20）");
    EXPECT_EQ(text(errorOf(conditionOf(ConditionKind::Sum, "25-30"))), "和值 25-30 超出可能的范围 0-27");
    EXPECT_EQ(text(errorOf(conditionOf(ConditionKind::Consecutive, "0"))), "连号 0 超出可能的范围 1-3");
    EXPECT_EQ(text(errorOf(conditionOf(ConditionKind::BigSmall, "2:2"))), "大小比 2:2 各项之和应为 3");
    EXPECT_EQ(text(errorOf(conditionOf(ConditionKind::Mod3, "2:1"))),
              "012路「2:1」无法识别（应写成如 2:2:1）");
    EXPECT_EQ(errorOf(conditionOf(ConditionKind::Mod3, "2:1:0，1：1：1")), QString());
}

TEST(FilterInput, DigitsCountsAndPositions)
{
    Condition bankers;
    bankers.kind = ConditionKind::Bankers;
    EXPECT_EQ(text(errorOf(bankers)), "胆码没有选择数字");
    bankers.digits = {1, 2};
    bankers.count = 3;
    EXPECT_EQ(text(errorOf(bankers)), "胆码只有 2 个数字，不能要求至少出现 3 个");
    bankers.digits = {1, 2, 3, 4};
    EXPECT_EQ(text(errorOf(bankers, FilterPart::BackTwo)), "后二只有 2 位，胆码不能出现 3 个");

    Condition position;
    position.kind = ConditionKind::Position;
    position.positions = {DigitSet{1}, DigitSet{}, DigitSet{2}};
    EXPECT_EQ(text(errorOf(position, FilterPart::BackThree)), "定位：十位没有可选的数字");
    EXPECT_EQ(text(errorOf(position, FilterPart::BackThree, Selection::Group)),
              "组选不分位置，不能按位定位");

    Condition kill;
    kill.kind = ConditionKind::Kill;
    EXPECT_EQ(text(errorOf(kill)), "杀号没有选择数字");
    kill.digits = {7};
    kill.position = 2;
    EXPECT_EQ(errorOf(kill), QString());
    EXPECT_EQ(text(errorOf(kill, FilterPart::FrontThree, Selection::Group)),
              "组选不分位置，杀号只能针对整个号码");
    kill.position = 4;
    EXPECT_EQ(text(errorOf(kill)), "杀号的位置 4 超出前三的 3 位");

    Condition cold = conditionOf(ConditionKind::Cold, "1");
    EXPECT_EQ(text(errorOf(cold, FilterPart::Five, Selection::Group)),
              "组选不分位置，冷号请改为按整个号码统计遗漏");
    cold.atPositions = false;
    EXPECT_EQ(errorOf(cold, FilterPart::Five, Selection::Group), QString());
    cold.threshold = -1;
    EXPECT_EQ(text(errorOf(cold)), "冷号的遗漏不能小于 0");

    Condition shape;
    shape.kind = ConditionKind::Shape;
    EXPECT_EQ(text(errorOf(shape)), "形态没有选择任何一种");
    shape.shapes = shapeBit(Shape::Six) | shapeBit(Shape::Group120);
    EXPECT_EQ(text(errorOf(shape)), "前三没有形态「组选120」");
}

TEST(FilterInput, SchemesReadBackAsWritten)
{
    ConditionSet set{FilterPart::MiddleThree, Selection::Group, {}};
    for (int k = 0; k < kConditionKinds; ++k) {
        Condition c = conditionOf(ConditionKind(k), "1-2, 5");
        c.enabled = k % 2 == 0;
        if (c.kind == ConditionKind::Position)
            c.positions = {DigitSet{0, 9}, DigitSet{}, DigitSet::all()};
        if (c.kind == ConditionKind::Bankers || c.kind == ConditionKind::Kill)
            c.digits = {3, 4, 8};
        c.count = 2;
        c.rule = BankerRule::Exactly;
        c.position = 3;
        if (c.kind == ConditionKind::Shape)
            c.shapes = shapeBit(Shape::Three) | shapeBit(Shape::Leopard);
        c.threshold = 17;
        c.atPositions = false;
        set.conditions.push_back(c);
    }
    const SchemeReading back = schemeFromJson(schemeToJson(set));
    ASSERT_TRUE(back.set) << text(back.error);
    // Only the fields of each kind are kept, so compare those.
    ASSERT_EQ(back.set->conditions.size(), set.conditions.size());
    EXPECT_EQ(back.set->part, set.part);
    EXPECT_EQ(back.set->selection, set.selection);
    for (size_t i = 0; i < set.conditions.size(); ++i) {
        EXPECT_EQ(ruleKey(back.set->conditions[i]), ruleKey(set.conditions[i])) << i;
        EXPECT_EQ(back.set->conditions[i].enabled, set.conditions[i].enabled) << i;
    }
}

TEST(FilterInput, DamagedSchemesGiveAMessage)
{
    const QByteArray good =
        schemeToJson({FilterPart::Five,
                      Selection::Direct,
                      {conditionOf(ConditionKind::Sum, "10"), conditionOf(ConditionKind::Span, "3")}});
    auto errorFor = [](const QByteArray &json) {
        const SchemeReading r = schemeFromJson(json);
        EXPECT_FALSE(r.set);
        return text(r.error);
    };
    EXPECT_NE(errorFor(good.left(good.size() / 2)).find("方案无法读取"), std::string::npos);
    EXPECT_EQ(errorFor("[1, 2]"), "这不是缩水方案");
    EXPECT_EQ(errorFor(QByteArray(good).replace("\"version\": 1", "\"version\": 7")),
              "方案的版本 7 比本程序能读的版本 1 新，请更新程序");
    EXPECT_EQ(errorFor(QByteArray(good).replace("\"version\": 1", "\"version\": \"1\"")),
              "方案的版本号无效");
    EXPECT_EQ(errorFor(QByteArray(good).replace("\"five\"", "\"six\"")),
              "方案的号码部分「six」无法识别");
    EXPECT_EQ(errorFor(QByteArray(good).replace("\"span\"", "\"spin\"")),
              "第 2 条条件的类型「spin」无法识别");
    EXPECT_EQ(errorFor(QByteArray(good).replace("\"10\"", "10")),
              "第 1 条条件的「values」无法读取");
    EXPECT_EQ(errorFor(QByteArray(good).replace("\"conditions\"", "\"rows\"")), "方案缺少条件列表");
    // Bytes changed at random: a set or a message, never a crash.
    std::mt19937 rng(9);
    for (int i = 0; i < 500; ++i) {
        QByteArray damaged = good;
        for (int n = 0; n < 3; ++n)
            damaged[std::uniform_int_distribution<qsizetype>(0, damaged.size() - 1)(rng)] =
                char(std::uniform_int_distribution<int>(0, 255)(rng));
        const SchemeReading r = schemeFromJson(damaged);
        EXPECT_NE(bool(r.set), !r.error.isEmpty());
    }
    // What it does not know of is passed over.
    EXPECT_TRUE(
        schemeFromJson(QByteArray(good).replace("\"enabled\"", "\"colour\": 3, \"enabled\"")).set);
}
