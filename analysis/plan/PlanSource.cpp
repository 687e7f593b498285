#include "PlanSource.h"

#include "Condition.h"
#include "Tally.h"
#include "Validation.h"

#include <QRegularExpression>

namespace quorlent::plan {

namespace {

QString positionName(int p)
{
    static const char16_t *const names[] = {u"万位", u"千位", u"百位", u"十位", u"个位"};
    return QString::fromUtf16(names[p]);
}

QString kindTitle(Kind kind)
{
    static const char16_t *const names[] = {u"号码", u"大小", u"单双", u"段数"};
    return QString::fromUtf16(names[int(kind)]);
}

} // namespace

FieldErrors SearchSource::validate() const
{
    FieldErrors errors;
    const int outcomes = int(Tally::outcomeValues(tally.resultKind, tally.segmentBase).size());
    if (top < 1)
        errors.push_back({QStringLiteral("前 k 个结果"), QStringLiteral("k 至少为 1")});
    else if (top > outcomes)
        errors.push_back({QStringLiteral("前 k 个结果"),
                          QStringLiteral("结果类型 %1 只有 %2 个结果，k 不能大于 %2")
                              .arg(kindTitle(tally.resultKind))
                              .arg(outcomes)});
    if (tally.position < 1 || tally.position > kPositions)
        errors.push_back({QStringLiteral("结果位置"), QStringLiteral("结果位置应为 1 到 5")});
    if (search == BacktestRequest::Search::Combination &&
        (request.combinationWidth < 1 || request.combinationWidth > kPositions))
        errors.push_back({QStringLiteral("组合位数"), QStringLiteral("组合检索的 k 应为 1 到 5")});
    if (!request.previousDraw && request.earlierDistance < 1)
        errors.push_back({QStringLiteral("前 N 期"), QStringLiteral("N 至少为 1")});
    return errors;
}

FieldErrors SchemeSource::validate() const
{
    FieldErrors errors;
    const std::vector<QString> messages = filter::validate(set);
    for (size_t i = 0; i < messages.size() && i < set.conditions.size(); ++i) {
        if (set.conditions[i].enabled && !messages[i].isEmpty())
            errors.push_back({QStringLiteral("缩水方案"),
                              QStringLiteral("第 %1 个条件（%2）：%3")
                                  .arg(i + 1)
                                  .arg(filter::conditionTitle(set.conditions[i]), messages[i])});
    }
    return errors;
}

std::array<uint16_t, kPositions> DigitSource::allowed() const
{
    std::array<uint16_t, kPositions> out{};
    for (int p = 0; p < kPositions; ++p) {
        const uint16_t base = required[size_t(p)] ? required[size_t(p)] : uint16_t(0x3ff);
        out[size_t(p)] = uint16_t(base & ~killedEverywhere & ~killed[size_t(p)] & 0x3ff);
    }
    return out;
}

FieldErrors DigitSource::validate() const
{
    FieldErrors errors;
    const auto left = allowed();
    for (int p = 0; p < kPositions; ++p) {
        if (left[size_t(p)] == 0)
            errors.push_back(
                {QStringLiteral("杀号/定胆"),
                 QStringLiteral("%1：杀号和定胆之后没有可选的数字").arg(positionName(p))});
    }
    return errors;
}

QStringList TypedSource::tokens() const
{
    static const QRegularExpression separators(QStringLiteral("[\\s,，;；、]+"));
    return text.split(separators, Qt::SkipEmptyParts);
}

} // namespace quorlent::plan
