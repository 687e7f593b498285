#pragma once

#include "HistoryRow.h"
#include "HitList.h"
#include "SearchRequest.h"
#include "Tally.h"

#include <cstdint>
#include <vector>

namespace quorlent {

// Everything a search hands to the window: the hits, how to show them and their tally.
//
// The window's handler stays thin (under the busy pointer):
//     SearchResult result = runFollowSearch(store.rows(), request, tallyOptions);
//     hitListModel->setResult(store.rows(), result);   // lazy: instant for any number of hits
//     tallyModel->setTally(result.tally);
//     store.db()->writeTally(result.tally.carcuRows());
struct SearchResult
{
    // False when the 起 or 止 box could not be read: no hits and a tally of zeros.
    bool rangeValid = false;
    // Indexes into the rows the search ran on, ascending (issue order).
    std::vector<uint32_t> hits;
    HitListLayout hitList;
    Tally tally;
};

// The follow-pattern search (检索) and its result phase. `rows` in issue order.
SearchResult runFollowSearch(const std::vector<HistoryRow> &rows, const SearchRequest &request,
                             const TallyOptions &tally);

// The combination search (组合检索) and its result phase. `rows` in issue order.
SearchResult runCombinationSearch(const std::vector<HistoryRow> &rows, const SearchRequest &request,
                                  const TallyOptions &tally);

} // namespace quorlent
