#include "Progression.h"

#include <QRegularExpression>

namespace quorlent::plan {

int Progression::stateCount() const
{
    switch (kind) {
    case Kind::Flat:
        return 1;
    case Kind::Doubling: {
        // Doublings until the cap is reached; the cap is the last state.
        int states = 1;
        for (int64_t m = base; m < cap && states < 64; m *= 2)
            ++states;
        return states;
    }
    case Kind::List:
        return std::max(1, int(steps.size()));
    }
    return 1;
}

int64_t Progression::multiplier(int state) const
{
    switch (kind) {
    case Kind::Flat:
        return base;
    case Kind::Doubling:
        return state + 1 >= stateCount() ? cap : base << state;
    case Kind::List:
        return steps.empty() ? 1 : steps[size_t(state)];
    }
    return 1;
}

int Progression::afterMiss(int state) const
{
    switch (kind) {
    case Kind::Flat:
        return 0;
    case Kind::Doubling:
        return std::min(state + 1, stateCount() - 1);
    case Kind::List:
        return state + 1 < int(steps.size()) ? state + 1 : 0;
    }
    return 0;
}

FieldErrors Progression::validate() const
{
    FieldErrors errors;
    auto check = [&](const QString &field, int64_t m) {
        if (m < 1)
            errors.push_back({field, QStringLiteral("倍数至少为 1")});
        else if (m > kLargestMultiplier)
            errors.push_back({field, QStringLiteral("倍数最多为 %1").arg(kLargestMultiplier)});
    };
    switch (kind) {
    case Kind::Flat:
        check(QStringLiteral("倍数"), base);
        break;
    case Kind::Doubling:
        check(QStringLiteral("起始倍数"), base);
        check(QStringLiteral("最高倍数"), cap);
        if (errors.empty() && cap < base)
            errors.push_back(
                {QStringLiteral("最高倍数"), QStringLiteral("最高倍数不能小于起始倍数")});
        break;
    case Kind::List:
        if (steps.empty())
            errors.push_back({QStringLiteral("倍数列表"), QStringLiteral("请输入至少一个倍数")});
        for (size_t i = 0; i < steps.size(); ++i) {
            if (steps[i] < 1)
                errors.push_back(
                    {QStringLiteral("倍数列表"),
                     QStringLiteral("第 %1 个倍数为 %2，倍数至少为 1").arg(i + 1).arg(steps[i])});
            else if (steps[i] > kLargestMultiplier)
                errors.push_back(
                    {QStringLiteral("倍数列表"), QStringLiteral("第 %1 个倍数太大，最多为 %2")
                                                     .arg(i + 1)
                                                     .arg(kLargestMultiplier)});
        }
        break;
    }
    return errors;
}

std::optional<std::vector<int64_t>> Progression::parseList(const QString &text, FieldError *error)
{
    static const QRegularExpression separators(QStringLiteral("[\\s,，;；、]+"));
    const QStringList parts = text.split(separators, Qt::SkipEmptyParts);
    std::vector<int64_t> out;
    for (const QString &part : parts) {
        bool ok = false;
        const qlonglong m = part.toLongLong(&ok);
        if (!ok) {
            if (error)
                *error = {QStringLiteral("倍数列表"), QStringLiteral("“%1”不是整数").arg(part)};
            return std::nullopt;
        }
        out.push_back(m);
    }
    if (out.empty()) {
        if (error)
            *error = {QStringLiteral("倍数列表"), QStringLiteral("请输入至少一个倍数")};
        return std::nullopt;
    }
    return out;
}

QString Progression::listText(const std::vector<int64_t> &steps)
{
    QStringList parts;
    for (int64_t m : steps)
        parts << QString::number(m);
    return parts.join(QLatin1Char(' '));
}

QString Progression::description() const
{
    switch (kind) {
    case Kind::Flat:
        return QStringLiteral("%1 倍").arg(base);
    case Kind::Doubling:
        return QStringLiteral("翻倍（%1 倍起，最多 %2 倍）").arg(base).arg(cap);
    case Kind::List:
        return QStringLiteral("倍数列表 %1").arg(listText(steps));
    }
    return {};
}

} // namespace quorlent::plan
