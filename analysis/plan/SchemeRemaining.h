#pragma once

#include "ConditionSet.h"
#include "DrawTable.h"
#include "HistoryRow.h"
#include "OmissionCursor.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace quorlent::plan {

// The numbers a 缩水 方案 leaves before each draw of a history, draw after draw, as the filter
// engine would leave them over the draws before it, without the engine's records.
//
// Before a draw the conditions that read earlier draws see only a small state: 重号 the multiset
// of the draw before, 冷号 and 热号 the digits marked at each position. So the conditions that
// read no earlier draw are worked out once, together with 重号 for each multiset as it is first
// met, and 冷号 / 热号 by words: the numbers holding a marked digit at a position are the union of
// that position's digits, and their count of marked positions is added up bit-parallel.
class SchemeRemaining
{
  public:
    // `rows` (issue order) must outlive it. The set's invalid and switched-off conditions are
    // left out, as the engine leaves them out.
    SchemeRemaining(const std::vector<HistoryRow> &rows, const filter::ConditionSet &set);

    // Whether any switched-on condition reads earlier draws.
    bool dependent() const { return m_dependent; }
    // The draw the next remaining() is for: 0 at first.
    size_t draw() const { return m_draw; }
    // Moves on to draw t ≥ draw() (t ≤ rows.size()).
    void skipTo(size_t t);
    // The numbers left before draw(), a bit per number of the part (in 组选 one per multiset, with
    // ascending digits), then moves on to the next draw.
    const std::vector<uint64_t> &next();

  private:
    struct Omission
    {
        filter::OmissionCursor cursor;
        uint64_t allowed = 0;
        int rowStep = 0; // 10 at positions, 0 for the whole part
    };

    const std::vector<uint64_t> &withRepeats(uint32_t previous);

    const std::vector<HistoryRow> &m_rows;
    int m_digits = 0;
    size_t m_words = 0;
    uint64_t m_lastWord = ~uint64_t(0); // the bits of the last word inside the part
    bool m_dependent = false;
    size_t m_draw = 0;
    filter::DrawTable m_table;
    std::vector<uint64_t> m_fixed; // the conditions that read no earlier draw, and 组选
    std::vector<uint64_t> m_repeatAllowed;
    // By the multiset of the draw before (or none): m_fixed and every 重号 condition.
    std::vector<std::optional<std::vector<uint64_t>>> m_byPrevious;
    std::vector<Omission> m_omissions;
    // The numbers with digit d at position i: word w at [(i·10 + d)·m_words + w].
    std::vector<uint64_t> m_cylinders;
    std::vector<uint64_t> m_out;
};

} // namespace quorlent::plan
