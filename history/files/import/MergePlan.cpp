#include "MergePlan.h"

namespace quorlent::import {

MergePlan MergePlan::of(std::span<const HistoryRow> stored, std::span<const HistoryLine> draws,
                        std::span<const qsizetype> lines)
{
    MergePlan plan;
    size_t s = 0;
    for (size_t d = 0; d < draws.size(); ++d) {
        const HistoryLine &draw = draws[d];
        const qsizetype line = d < lines.size() ? lines[d] : 0;
        while (s < stored.size() && stored[s].sqqh < draw.sqqh)
            ++s;
        if (s < stored.size() && stored[s].sqqh == draw.sqqh) {
            if (stored[s].digits() == draw.digits)
                plan.sameIssues.push_back(draw.sqqh);
            else
                plan.conflicts.push_back({draw.sqqh, stored[s].digits(), draw.digits, line});
            continue;
        }
        if (s < stored.size())
            plan.onlyAfterNewest = false;
        plan.newDraws.push_back(draw);
        plan.newDrawLines.push_back(line);
    }
    return plan;
}

} // namespace quorlent::import
