#include "CompiledCondition.h"

#include "ValueList.h"

#include <bit>

namespace quorlent::filter {

namespace {

Compilation failure(const QString &message)
{
    return {std::nullopt, message};
}

Compilation fromReading(CompiledCondition compiled, const ValueListReading &reading)
{
    if (!reading.ok())
        return failure(reading.error);
    compiled.allowed = reading.mask;
    return {compiled, {}};
}

const QString &noPositionsInGroups()
{
    static const QString text = QStringLiteral("组选不分位置，");
    return text;
}

} // namespace

Compilation compile(const Condition &c, FilterPart part, Selection selection)
{
    const int k = digitCount(part);
    const KindInfo &info = kindInfo(c.kind);
    const QString name = kindName(c.kind);
    CompiledCondition out;
    out.kind = c.kind;
    switch (info.form) {
    case KindForm::Positions:
        if (selection == Selection::Group)
            return failure(noPositionsInGroups() + QStringLiteral("不能按位定位"));
        for (int i = 0; i < k; ++i) {
            if (c.positions[size_t(i)].empty())
                return failure(QStringLiteral("定位：%1没有可选的数字")
                                   .arg(positionName(firstPosition(part) + i)));
            out.positions[size_t(i)] = c.positions[size_t(i)].mask();
        }
        return {out, {}};
    case KindForm::Bankers:
        if (c.digits.empty())
            return failure(QStringLiteral("胆码没有选择数字"));
        if (c.count < 0)
            return failure(QStringLiteral("胆码的个数不能小于 0"));
        if (c.count > c.digits.size())
            return failure(QStringLiteral("胆码只有 %1 个数字，不能要求%2出现 %3 个")
                               .arg(c.digits.size())
                               .arg(c.rule == BankerRule::AtLeast ? QStringLiteral("至少")
                                                                  : QStringLiteral("恰好"))
                               .arg(c.count));
        if (c.count > k)
            return failure(QStringLiteral("%1只有 %2 位，胆码不能出现 %3 个")
                               .arg(partName(part))
                               .arg(k)
                               .arg(c.count));
        out.digits = c.digits.mask();
        out.count = c.count;
        out.rule = c.rule;
        return {out, {}};
    case KindForm::Kill:
        if (c.digits.empty())
            return failure(QStringLiteral("杀号没有选择数字"));
        if (c.position < 0 || c.position > k)
            return failure(QStringLiteral("杀号的位置 %1 超出%2的 %3 位")
                               .arg(c.position)
                               .arg(partName(part))
                               .arg(k));
        if (c.position > 0 && selection == Selection::Group)
            return failure(noPositionsInGroups() + QStringLiteral("杀号只能针对整个号码"));
        out.digits = c.digits.mask();
        out.position = c.position - 1;
        return {out, {}};
    case KindForm::Values:
        return fromReading(out, readValues(c.values, info.range.low, info.range.high(k), name));
    case KindForm::Ratios:
        return fromReading(out, readRatios(c.values, info.ratioTerms, k, name));
    case KindForm::Shapes: {
        if (c.shapes == 0)
            return failure(QStringLiteral("形态没有选择任何一种"));
        ShapeSet possible = 0;
        for (Shape s : shapesFor(k))
            possible |= shapeBit(s);
        const unsigned foreign = c.shapes & ~possible;
        if (foreign != 0) {
            const int s = std::countr_zero(foreign);
            return failure(
                s < kShapeCount
                    ? QStringLiteral("%1没有形态「%2」").arg(partName(part), shapeName(Shape(s)))
                    : QStringLiteral("形态无法识别"));
        }
        out.allowed = c.shapes;
        return {out, {}};
    }
    case KindForm::Omission:
        if (c.threshold < 0)
            return failure(QStringLiteral("%1的遗漏不能小于 0").arg(name));
        if (c.atPositions && selection == Selection::Group)
            return failure(noPositionsInGroups() +
                           QStringLiteral("%1请改为按整个号码统计遗漏").arg(name));
        out.threshold = c.threshold;
        out.atPositions = c.atPositions;
        return fromReading(out, readValues(c.values, info.range.low, info.range.high(k),
                                           name + QStringLiteral("个数")));
    }
    return failure(QStringLiteral("无法识别的条件"));
}

} // namespace quorlent::filter
