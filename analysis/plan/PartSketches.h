#pragma once

#include "HistoryRow.h"
#include "PlanProposals.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace quorlent::plan {

// What any play within a part of at most three digits counts of many proposals of that part's
// numbers, worked out once for them all: the digits at each position, how many numbers of two
// neighbouring positions, and how many multisets of each shape their digits make, of two and of
// three; and what each row's proposal holds of the row's draw. A play chosen later then tells a
// proposal's bets apart, and a win from a miss, from a few bytes, not from the proposal's
// thousand numbers.
//
// Positions are counted as in a number of three digits, the part's at the right: a part of two
// digits is positions 1 and 2, one digit is position 2.
class PartSketches
{
  public:
    // None unless every proposal is numbers (not 组选 numbers) of one part of at most three
    // digits. `rows` is the history the proposals were made from.
    static std::optional<PartSketches> of(const std::vector<HistoryRow> &rows,
                                          const PlanProposals &proposals);

    int first() const { return m_first; }
    int count() const { return m_count; }
    // Where a play's positions start, counted as above; -1 when the play reads outside the part.
    int startOf(int playFirst, int playCount) const;

    // Proposal i's digits at position s: bit d for digit d.
    uint16_t digits(size_t i, int s) const { return m_digits[i * 3 + size_t(s)]; }
    // How many numbers proposal i holds.
    uint32_t numbers(size_t i) const { return m_numbers[i]; }
    // How many multisets of the digits at positions s and s + 1 (s = 0 or 1; `length` 2), or of
    // all three (`length` 3), some number of proposal i shows, by shape: how many different
    // digits they have, less one (two digits: 0 or 1; three: 0, 1 or 2). With shape -1, how many
    // numbers of positions s and s + 1 it holds.
    uint32_t shapes(size_t i, int s, int length, int shape) const
    {
        return m_counts[i * kCounts + size_t(length == 3 ? 6 + shape : 3 * s + 1 + shape)];
    }
    // The shape of a multiset as a number of two or three digits in ascending order.
    static int shapeOf(uint32_t sorted, int length);

    // What each row's proposal holds of the row's draw, a bit each: the draw's number of the
    // part; a number with the draw's digits at positions s and s + 1 (Pair + s); one with them
    // in either order there (PairGroup + s); one with the draw's three digits in any order.
    enum Held : uint8_t
    {
        Number = 1,
        Pair = 2,
        PairGroup = 8,
        Triple = 32
    };
    uint8_t held(size_t row) const { return m_held[row]; }

  private:
    void heldOfRows(const std::vector<HistoryRow> &rows, const PlanProposals &proposals);

    int m_first = 0;
    int m_count = 0;
    std::vector<uint16_t> m_digits;
    std::vector<uint16_t> m_numbers;
    static constexpr size_t kCounts = 9;
    std::vector<uint8_t> m_counts;
    std::vector<uint8_t> m_held;
};

} // namespace quorlent::plan
