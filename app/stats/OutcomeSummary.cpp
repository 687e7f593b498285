#include "OutcomeSummary.h"

#include <cmath>

QString formatP(double p)
{
    if (p < 0.001)
        return QStringLiteral("p < 0.001");
    return QStringLiteral("p = %1").arg(p, 0, 'f', 3);
}

QString formatCount(double count)
{
    if (std::abs(count - std::round(count)) < 1e-9)
        return QString::number(static_cast<long long>(std::llround(count)));
    return QString::number(count, 'f', 1);
}

QString formatShare(double share, int decimals)
{
    return QStringLiteral("%1%").arg(share * 100, 0, 'f', decimals);
}

QString outcomeSummary(int64_t hits, const quorlent::OutcomeStatistics &stats)
{
    if (stats.counted == 0)
        return QStringLiteral("命中 %1 期，没有可统计的值。").arg(hits);
    QString text = QStringLiteral("命中 %1 期，统计 %2 个值，每个结果期望占比 %3（期望 %4 次）")
                       .arg(hits)
                       .arg(stats.counted)
                       .arg(formatShare(stats.share))
                       .arg(formatCount(stats.expected));
    text += QStringLiteral("；χ² = %1，自由度 %2")
                .arg(stats.chiSquared, 0, 'f', 2)
                .arg(stats.degreesOfFreedom);
    if (!stats.testable())
        return text + QStringLiteral("；每个结果期望不足 %1 次，样本太少，不作检验。")
                          .arg(quorlent::OutcomeStatistics::kSmallestExpected);
    text += QStringLiteral("，%1：").arg(formatP(stats.pValue));
    if (stats.pValue < quorlent::OutcomeStatistics::kLevel)
        return text + QStringLiteral("显著偏离随机（%1）").arg(formatP(stats.pValue));
    return text + QStringLiteral("与随机无显著差异");
}

QString chanceNote()
{
    return QStringLiteral("χ²：各结果的次数与随机期望相差多少的总量；自由度是结果数减 1。\n"
                          "p 值说明单次检索的结果有多不像随机。检索做得多了，总有一些结果仅凭运气"
                          "就得到很小的 p 值，所以一次显著并不证明规律真实存在；请用回测检验。\n"
                          "（详见 帮助 → 使用说明，F1）");
}
