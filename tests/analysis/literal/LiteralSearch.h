#pragma once

#include "SearchRequest.h"
#include "SqliteDb.h"
#include "Tally.h"

#include <QString>
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace quorlent::literal {

// What the user sees after one search run the old way: the two grids and table Carcu.
struct Outcome
{
    bool rangeFormed = false;
    std::vector<int32_t> hitIssues; // SQQH of each hit, in the order listed
    std::array<QString, 7> hitHeader;
    std::vector<std::array<QString, 7>> hitList;
    std::vector<std::pair<int, int64_t>> carcu;  // Carcu as read back, in the order written
    std::vector<std::array<QString, 4>> ranking; // the tally grid's data rows
    int statements = 0;                          // statements run against Lishi
    int failedStatements = 0;                    // other than the ones meant to fail
};

// Runs both searches the way the statements define them: against table Lishi, using its work
// columns (intTh, bolOk, txtHisP6) and rebuilding its earlier-draw columns, then selecting the
// hits with the range query and counting them into Carcu. Serves as the reference the in-memory
// searches are checked and timed against.
//
// Translated to SQLite word for word ('%1X3%' for "*1X3*", 1/0 for TRUE/FALSE, length(trim())
// for LEN(TRIM())), with these differences, each noted where it is made:
//  - fixed positions, 前 N 期: a row also needs a non-empty rebuilt txtHisPreLst, else rows
//    without a draw N issues earlier would match a reference value 0;
//  - fixed positions, 前 N 期, no position selected: txtHisPreLst is still rebuilt for the hit
//    list instead of showing what the last search left there;
//  - rows are walked and listed ORDER BY SQQH, rowid, and equal counts rank in the order written.
class LiteralSearch
{
public:
    explicit LiteralSearch(SqliteDb &db) : m_db(db) {}

    // When set, each search runs inside one transaction; otherwise every statement commits on
    // its own, as it would when typed. The walks that edit row by row always share one.
    void setOneTransaction(bool one) { m_oneTransaction = one; }

    Outcome follow(const SearchRequest &request, const TallyOptions &options);
    Outcome combination(const SearchRequest &request, const TallyOptions &options);

private:
    void execute(const std::string &sql, Outcome &outcome);
    void rebuildEarlierTokens(Kind kind, int n, Outcome &outcome);
    void shiftColumn(int position, Kind kind, bool previous, int n, Outcome &outcome);
    void rebuildEarlierDigits(int n, Outcome &outcome);
    void showSearchResult(const std::string &filter, const SearchRequest &request,
                          const TallyOptions &options, Outcome &outcome);

    SqliteDb &m_db;
    bool m_oneTransaction = false;
};

} // namespace quorlent::literal
