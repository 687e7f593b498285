#include "ConditionKinds.h"

#include <QStringList>

#include <algorithm>
#include <vector>

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

QString valuesExample(ConditionKind kind, int digits)
{
    const KindInfo &info = kindInfo(kind);
    if (!info.example)
        return {};
    QString example = QString::fromUtf8(info.example);
    if (!example.contains(QLatin1String("%e")))
        return example;
    // Two ratios of the part: its digits shared as evenly as they go, then one moved from the
    // last term to the first.
    std::vector<int> even(size_t(info.ratioTerms), 0);
    for (int d = 0; d < digits; ++d)
        ++even[size_t(d % info.ratioTerms)];
    std::vector<int> other = even;
    const auto last = std::find_if(other.rbegin(), other.rend() - 1, [](int t) { return t > 0; });
    if (last != other.rend() - 1) {
        --*last;
        ++other.front();
    }
    const auto written = [](const std::vector<int> &terms) {
        QStringList parts;
        for (int t : terms)
            parts << QString::number(t);
        return parts.join(u':');
    };
    return example.replace(QLatin1String("%e"),
                           written(even) + QStringLiteral(", ") + written(other));
}

} // namespace quorlent::filter
