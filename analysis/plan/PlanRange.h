#pragma once

#include "FieldError.h"
#include "Game.h"
#include "HistoryRow.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace quorlent::plan {

// The draws a ledger covers: the newest n (近 n 期), all of them (全部), or those whose issues lie
// between two typed issues, both included.
struct PlanRange
{
    enum class Kind : uint8_t
    {
        Latest,
        All,
        Issues
    };

    Kind kind = Kind::Latest;
    int64_t count = 1000; // Latest
    QString first;        // Issues, as the game writes them
    QString last;

    static PlanRange latest(int64_t n) { return {Kind::Latest, n, {}, {}}; }
    static PlanRange all() { return {Kind::All, 0, {}, {}}; }
    static PlanRange issues(const QString &a, const QString &b) { return {Kind::Issues, 0, a, b}; }

    struct Rows
    {
        size_t begin = 0;
        size_t end = 0;
    };
    // The rows of the range in `rows` (issue order), or an error naming the field: an issue the
    // game cannot read, a count below 1. A range holding no draw is empty, not an error.
    std::optional<Rows> resolve(const std::vector<HistoryRow> &rows, const Game &game,
                                FieldError *error) const;
    // "近 1000 期", "全部", "2026001 至 2026100".
    QString description() const;

    bool operator==(const PlanRange &) const = default;
};

} // namespace quorlent::plan
