#include "ConditionKinds.h"

#include <QStringList>

namespace quorlent::filter {

QString kindName(ConditionKind kind)
{
    return QString::fromUtf8(kindInfo(kind).name);
}

QString kindDescription(ConditionKind kind)
{
    return QString::fromUtf8(kindInfo(kind).description);
}

const char *kindId(ConditionKind kind)
{
    return kindInfo(kind).id;
}

std::optional<ConditionKind> kindFromId(const QString &id)
{
    for (const KindInfo &info : kKinds) {
        if (id == QLatin1String(info.id))
            return info.kind;
    }
    return std::nullopt;
}

bool dependsOnEarlierDraws(ConditionKind kind)
{
    return kindInfo(kind).readsEarlierDraws;
}

QString valuesHint(ConditionKind kind, int digits)
{
    const KindInfo &info = kindInfo(kind);
    if (!info.hint)
        return {};
    QString hint = QString::fromUtf8(info.hint);
    const int largest = info.form == KindForm::Ratios ? digits : info.range.high(digits);
    hint.replace(QLatin1String("%n"), QString::number(largest));
    if (hint.contains(QLatin1String("%r"))) {
        QStringList ratios;
        for (int a = digits; a >= 0; --a)
            ratios << QStringLiteral("%1:%2").arg(a).arg(digits - a);
        hint.replace(QLatin1String("%r"), ratios.join(QLatin1Char(' ')));
    }
    return hint;
}

} // namespace quorlent::filter
