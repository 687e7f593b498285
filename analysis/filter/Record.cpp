#include "Record.h"

#include "Significance.h"

namespace quorlent::filter {

std::optional<double> Record::ratio() const
{
    if (draws <= 0 || pending || !(keptShare > 0))
        return std::nullopt;
    return passRate() / keptShare;
}

Record Record::of(int64_t draws, int64_t passes, double keptShare)
{
    Record r;
    r.draws = draws;
    r.passes = passes;
    r.keptShare = keptShare;
    // A share of 0 or 1 leaves nothing to chance: every draw fails or passes.
    if (keptShare > 0 && keptShare < 1)
        r.pValue = significance::binomialTwoSided(passes, draws, keptShare);
    return r;
}

Record Record::pendingOf(int64_t draws, int64_t passes)
{
    Record r;
    r.draws = draws;
    r.passes = passes;
    r.pending = true;
    return r;
}

QString formatPValue(double p)
{
    if (p < 0.001)
        return QStringLiteral("p < 0.001");
    return QStringLiteral("p = %1").arg(p, 0, 'f', 3);
}

QString recordVerdict(const Record &record)
{
    if (record.draws <= 0)
        return QStringLiteral("没有开奖可供检验");
    if (record.pending)
        return QStringLiteral("正在计算期望占比…");
    if (record.pValue < kSignificanceLevel)
        return QStringLiteral("显著偏离随机（%1）").arg(formatPValue(record.pValue));
    return QStringLiteral("与随机无显著差异");
}

} // namespace quorlent::filter
