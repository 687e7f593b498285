#pragma once

#include "HistoryRow.h"
#include "SearchRequest.h"

#include <cstdint>
#include <vector>

namespace quorlent {

// The follow-pattern search (检索): what came after draws that looked like the reference pattern.
//
// Returns the indexes into `rows` (which must be in issue order) of the hits, ascending: the rows
// inside the request's issue range whose compared draw matches the reference pattern on every
// selected position.
//  - 自由位: the selected reference values, as a multiset, are contained in the compared draw's
//    values of the search kind (3, 3 needs two 3s). A row without a compared draw never matches.
//    One selected value outside the kind's range leaves the search without hits.
//  - 固定位: the compared draw holds each selected reference value at its own position; rows
//    without a previous draw (and, for 前 N 期, without a draw N issues earlier) never match.
//  - No position selected: every row of the range is a hit.
// Reads nothing but `rows` and writes nothing.
std::vector<uint32_t> followSearch(const std::vector<HistoryRow> &rows,
                                   const SearchRequest &request);

} // namespace quorlent
