#include "Condition.h"

namespace quorlent::filter {

namespace {

struct KindInfo
{
    const char *name;
    const char *id;
};

// By ConditionKind.
constexpr std::array<KindInfo, kConditionKinds> kKinds{{{"定位", "position"},
                                                        {"胆码", "bankers"},
                                                        {"杀号", "kill"},
                                                        {"和值", "sum"},
                                                        {"和尾", "sum-tail"},
                                                        {"跨度", "span"},
                                                        {"大小比", "big-small"},
                                                        {"单双比", "odd-even"},
                                                        {"质合比", "prime-composite"},
                                                        {"012路", "mod3"},
                                                        {"形态", "shape"},
                                                        {"连号", "consecutive"},
                                                        {"重号", "repeat"},
                                                        {"冷号", "cold"},
                                                        {"热号", "hot"}}};

} // namespace

QString kindName(ConditionKind kind)
{
    return QString::fromUtf8(kKinds[static_cast<size_t>(kind)].name);
}

const char *kindId(ConditionKind kind)
{
    return kKinds[static_cast<size_t>(kind)].id;
}

std::optional<ConditionKind> kindFromId(const QString &id)
{
    for (int i = 0; i < kConditionKinds; ++i) {
        if (id == QLatin1String(kKinds[size_t(i)].id))
            return ConditionKind(i);
    }
    return std::nullopt;
}

bool dependsOnEarlierDraws(ConditionKind kind)
{
    return kind == ConditionKind::Repeat || kind == ConditionKind::Cold ||
           kind == ConditionKind::Hot;
}

QByteArray ruleKey(const Condition &c)
{
    QByteArray key = kindId(c.kind);
    auto add = [&key](const QByteArray &field) { key += '|' + field; };
    switch (c.kind) {
    case ConditionKind::Position:
        for (const DigitSet &d : c.positions)
            add(QByteArray::number(d.mask()));
        break;
    case ConditionKind::Bankers:
        add(QByteArray::number(c.digits.mask()));
        add(QByteArray::number(c.count));
        add(QByteArray::number(int(c.rule)));
        break;
    case ConditionKind::Kill:
        add(QByteArray::number(c.digits.mask()));
        add(QByteArray::number(c.position));
        break;
    case ConditionKind::Shape:
        add(QByteArray::number(c.shapes));
        break;
    case ConditionKind::Cold:
    case ConditionKind::Hot:
        add(QByteArray::number(c.threshold));
        add(QByteArray::number(int(c.atPositions)));
        add(c.values.toUtf8());
        break;
    default:
        add(c.values.toUtf8());
        break;
    }
    return key;
}

QString conditionTitle(const Condition &condition)
{
    const QString name = kindName(condition.kind);
    switch (condition.kind) {
    case ConditionKind::Kill:
        return condition.position > 0
                   ? QStringLiteral("%1（第 %2 位）").arg(name).arg(condition.position)
                   : name;
    case ConditionKind::Cold:
        return QStringLiteral("%1（遗漏≥%2）").arg(name).arg(condition.threshold);
    case ConditionKind::Hot:
        return QStringLiteral("%1（遗漏≤%2）").arg(name).arg(condition.threshold);
    default:
        return name;
    }
}

} // namespace quorlent::filter
