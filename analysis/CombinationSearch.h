#pragma once

#include "HistoryRow.h"
#include "SearchRequest.h"

#include <cstdint>
#include <vector>

namespace quorlent {

// The combination search (组合检索): like the follow search, but a row is a hit when its compared
// draw matches the reference pattern on all k positions of at least one combination of k out of
// the five positions (k = request.combinationWidth; the position selection is not consulted).
//
// Returns the indexes into `rows` (in issue order) of the hits inside the issue range, ascending.
//  - k outside 1..5: no combination, no hits.
//  - 自由位: a combination matches when its reference values, as a multiset, are contained in the
//    compared draw's values; 固定位: when the compared draw holds each of them at its position.
//  - A combination holding a reference value outside the kind's range matches nothing; the other
//    combinations still count.
//  - Rows without a compared draw never match (固定位, 前 N 期: nor rows without a draw N issues
//    earlier).
std::vector<uint32_t> combinationSearch(const std::vector<HistoryRow> &rows,
                                        const SearchRequest &request);

} // namespace quorlent
