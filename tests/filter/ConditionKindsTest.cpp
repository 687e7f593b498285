// The table of condition kinds: what a row says of its kind is what validation, the editor's hint
// and the count of the remaining numbers do with it.
#include "PassTable.h"
#include "Validation.h"
#include "ValueList.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <bit>
#include <set>

using namespace quorlent::filter;

namespace {

// A part of each digit count.
constexpr FilterPart kPartOfDigits[] = {FilterPart::FrontTwo, FilterPart::FrontThree,
                                        FilterPart::FrontFour, FilterPart::Five};

QString errorOf(ConditionKind kind, const QString &values, FilterPart part)
{
    Condition c = conditionOf(kind);
    c.values = values;
    c.atPositions = false;
    return validate({part, Selection::Direct, {c}}).front();
}

// Every ratio of the row's terms a part of `digits` digits can have, as a list.
QString allRatios(int terms, int digits)
{
    QStringList ratios;
    for (int a = 0; a <= digits; ++a) {
        if (terms == 2)
            ratios << QStringLiteral("%1:%2").arg(a).arg(digits - a);
        for (int b = 0; terms == 3 && a + b <= digits; ++b)
            ratios << QStringLiteral("%1:%2:%3").arg(a).arg(b).arg(digits - a - b);
    }
    return ratios.join(u',');
}

} // namespace

TEST(ConditionKinds, EachRowIsOneKindReadBackByItsId)
{
    std::set<QString> names, ids;
    for (const KindInfo &info : kKinds) {
        EXPECT_EQ(kindFromId(QLatin1String(info.id)), info.kind) << info.id;
        EXPECT_TRUE(names.insert(kindName(info.kind)).second) << info.id;
        EXPECT_TRUE(ids.insert(QLatin1String(info.id)).second) << info.id;
        EXPECT_TRUE(kindDescription(info.kind).startsWith(kindName(info.kind) + u'：')) << info.id;
        // Only the kinds of a list read a measure, and only when the number alone decides.
        const bool list = info.form == KindForm::Values || info.form == KindForm::Ratios ||
                          info.form == KindForm::Shapes;
        EXPECT_EQ(info.measure != nullptr, list && !info.readsEarlierDraws) << info.id;
    }
    EXPECT_FALSE(kindFromId("no-such-kind"));
}

TEST(ConditionKinds, AListTakesExactlyWhatTheMeasureCanBe)
{
    for (FilterPart part : kPartOfDigits) {
        const int digits = digitCount(part);
        const NumberTable &numbers = NumberTable::of(digits);
        for (const KindInfo &info : kKinds) {
            SCOPED_TRACE(testing::Message() << info.id << ", " << digits << " digits");
            uint64_t possible = 0;
            if (info.form == KindForm::Values || info.form == KindForm::Omission) {
                const int high = info.range.high(digits);
                EXPECT_EQ(
                    errorOf(info.kind, QStringLiteral("%1-%2").arg(info.range.low).arg(high), part),
                    QString());
                EXPECT_NE(errorOf(info.kind, QString::number(high + 1), part), QString());
                if (info.range.low > 0) {
                    EXPECT_NE(errorOf(info.kind, QString::number(info.range.low - 1), part),
                              QString());
                }
                possible = readValues(QStringLiteral("%1-%2").arg(info.range.low).arg(high),
                                      info.range.low, high, {})
                               .mask;
            } else if (info.form == KindForm::Ratios) {
                const QString all = allRatios(info.ratioTerms, digits);
                EXPECT_EQ(errorOf(info.kind, all, part), QString());
                possible = readRatios(all, info.ratioTerms, digits, {}).mask;
            } else if (info.form == KindForm::Shapes) {
                for (Shape s : shapesFor(digits))
                    possible |= shapeBit(s);
            }
            if (!info.measure)
                continue;
            // No number is out of every list's reach, and no value of a list is never met.
            uint64_t measured = 0;
            for (uint32_t n = 0; n < numbers.size(); ++n)
                measured |= uint64_t(1) << info.measure(numbers, n);
            EXPECT_EQ(measured, possible);
            // The count keeps the numbers whose measure the list allows.
            CompiledCondition one;
            one.kind = info.kind;
            one.allowed = uint64_t(1) << info.measure(numbers, 0);
            const Bitset passing = passingNumbers(one, numbers);
            for (uint32_t n = 0; n < numbers.size(); ++n)
                ASSERT_EQ(passing.test(n), info.measure(numbers, n) == info.measure(numbers, 0));
        }
    }
}

TEST(ConditionKinds, TheHintSaysWhatTheListMayHoldInThePart)
{
    EXPECT_EQ(valuesHint(ConditionKind::Sum, 3), "可能的和值 0–27；写成如 10-14, 20");
    EXPECT_EQ(valuesHint(ConditionKind::Consecutive, 4), "可能的值 1–4（1 表示没有相连的数字）");
    EXPECT_EQ(valuesHint(ConditionKind::BigSmall, 2), "可能的比 2:0 1:1 0:2；用逗号分开");
    EXPECT_EQ(valuesHint(ConditionKind::Mod3, 5), "三项之和为 5，写成如 2:2:1, 3:1:1");
    EXPECT_EQ(valuesHint(ConditionKind::Hot, 5), "号码里热号所在的位数，可能的值 0–5；写成如 0-1");
    for (const KindInfo &info : kKinds) {
        const QString hint = valuesHint(info.kind, 4);
        const bool list = info.form == KindForm::Values || info.form == KindForm::Ratios ||
                          info.form == KindForm::Omission;
        EXPECT_EQ(hint.isEmpty(), !list) << info.id;
        EXPECT_FALSE(hint.contains(u'%')) << info.id;
    }
}

TEST(ConditionKinds, EachKindsExampleIsAListItCanHoldInEveryPart)
{
    for (const KindInfo &info : kKinds) {
        const bool list = info.form == KindForm::Values || info.form == KindForm::Ratios ||
                          info.form == KindForm::Omission;
        for (int digits = 2; digits <= 5; ++digits) {
            const QString example = valuesExample(info.kind, digits);
            ASSERT_EQ(example.isEmpty(), !list) << info.id;
            if (!list)
                continue;
            const ValueListReading reading =
                info.form == KindForm::Ratios
                    ? readRatios(example, info.ratioTerms, digits, {})
                    : readValues(example, info.range.low, info.range.high(digits), {});
            EXPECT_TRUE(reading.ok()) << info.id << " " << digits << ": " << example.toStdString()
                                      << " — " << reading.error.toStdString();
            EXPECT_GT(std::popcount(reading.mask), 1) << info.id << " " << digits;
        }
    }
    EXPECT_EQ(valuesExample(ConditionKind::SumTail, 5), "3-5, 8");
    EXPECT_EQ(valuesExample(ConditionKind::BigSmall, 5), "3:2, 4:1");
    EXPECT_EQ(valuesExample(ConditionKind::Mod3, 3), "1:1:1, 2:1:0");
}
