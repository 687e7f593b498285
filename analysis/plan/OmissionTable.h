#pragma once

#include "HistoryRow.h"
#include "OmissionRules.h"
#include "TrendStatistics.h"

#include <QString>

#include <vector>

namespace quorlent::plan {

// One row of the omission table (遗漏统计): a digit or a 大/小/单/双 code at one position, with
// the statistics the trend chart's statistics rows show for a column, counted by the same rules
// (trend::ColumnCounter).
struct OmissionRow
{
    int position = 0;       // 0 = 万位
    bool attribute = false; // a code rather than a digit
    int value = 0;          // the digit, or the Attribute (大 小 单 双)
    double chance = 0.1;    // of a draw showing it: 1/10 a digit, 1/2 a code
    trend::ColumnStats stats;
    // The chance that a value of this chance stays away at least as long as it now has: (1 −
    // chance)^当前遗漏.
    double tailChance = 1;

    double deviation() const { return double(stats.occurrences) - stats.expected; } // 偏差
    QString positionName() const;                                                   // "万位"
    QString valueName() const;                                                      // "7", "大"
};

// The rows for every position (ten digits, then 大 小 单 双) over the draws [begin, end) of
// `rows`, numbered as indexes into `rows`, counting omissions from the window's first draw or
// carried from the first draw of all, as the trend chart does with every stored draw counted.
std::vector<OmissionRow> omissionTable(const std::vector<HistoryRow> &rows, size_t begin,
                                       size_t end, trend::StatsOrigin origin);

} // namespace quorlent::plan
