#include "FilterSummary.h"

namespace quorlent::filter {

QString formatShare(double share)
{
    return QStringLiteral("%1%").arg(share * 100, 0, 'f', 2);
}

QString resultText(const FilterCounts &counts, const ConditionSet &set)
{
    if (counts.remaining == 0) {
        QString text = QStringLiteral("没有号码满足全部条件");
        const int most = counts.mostRemoving;
        if (most >= 0 && size_t(most) < set.conditions.size() && counts.conditions[size_t(most)])
            text += QStringLiteral("；去掉最多的是第 %1 条「%2」，它单独只保留 %3")
                        .arg(most + 1)
                        .arg(conditionTitle(set.conditions[size_t(most)]),
                             formatShare(counts.conditions[size_t(most)]->share));
        return text;
    }
    if (set.selection == Selection::Group)
        return QStringLiteral("剩余 %1 组（%2 注），占全部的 %3")
            .arg(counts.remainingGroups)
            .arg(counts.remaining)
            .arg(formatShare(counts.remainingShare));
    return QStringLiteral("剩余 %1 注，占全部 %2 注的 %3")
        .arg(counts.remaining)
        .arg(counts.partSize)
        .arg(formatShare(counts.remainingShare));
}

} // namespace quorlent::filter
