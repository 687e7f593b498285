#pragma once

#include "HistoryDb.h"
#include "LiteralSearch.h"
#include "SearchRequest.h"
#include "SearchResult.h"
#include "Tally.h"

#include <QTemporaryDir>
#include <initializer_list>
#include <memory>
#include <random>
#include <vector>

namespace quorlent::testing {

inline constexpr int32_t kFirstIssue = 160908001;

// One writing run over consecutive issues from `firstIssue`.
std::vector<DrawRecord> recordsOf(std::initializer_list<Digits> draws, int segmentBase = 1,
                                  int32_t firstIssue = kFirstIssue);
std::vector<HistoryRow> rowsOf(const std::vector<DrawRecord> &records);

// A request over every issue there is, free positions, 上期, kind 号码, nothing selected.
SearchRequest wholeHistory();

// The records in a database file of their own, the way the window would have stored them.
class ScratchDb
{
public:
    explicit ScratchDb(const std::vector<DrawRecord> &records);
    HistoryDb &db() { return *m_db; }
    bool isOpen() const { return m_db != nullptr; }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<HistoryDb> m_db;
};

// The hits as issue numbers, in the order found.
std::vector<int32_t> issuesOf(const std::vector<HistoryRow> &rows,
                              const std::vector<uint32_t> &hits);

// The hits of both searches by the in-memory path, each checked against the statements run on
// the same records.
std::vector<int32_t> followHits(const std::vector<DrawRecord> &records,
                                const SearchRequest &request);
std::vector<int32_t> combinationHits(const std::vector<DrawRecord> &records,
                                     const SearchRequest &request);

// Compares everything the user sees after a search, the grids read through their models, and
// Carcu, between the in-memory path and the statements.
void expectSameOutcome(const std::vector<HistoryRow> &rows, const SearchResult &fast,
                       const literal::Outcome &slow);

// Runs the search and its result phase both ways on the records and compares them; returns the
// in-memory result.
SearchResult followBothWays(const std::vector<DrawRecord> &records, const SearchRequest &request,
                            const TallyOptions &options);
SearchResult combinationBothWays(const std::vector<DrawRecord> &records,
                                 const SearchRequest &request, const TallyOptions &options);

// A history as the writers leave one: runs of draws, some continuing after the stored rows, some
// starting afresh or after draws that were never stored, segment bases changing between runs,
// issues with gaps and day roll-overs, some from 2000-2009.
std::vector<DrawRecord> randomRecords(std::mt19937 &rng, int length);

} // namespace quorlent::testing
