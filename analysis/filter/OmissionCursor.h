#pragma once

#include "FilterPart.h"

#include <array>
#include <cstdint>

namespace quorlent::filter {

// What a 冷号 or 热号 condition reads of the history.
struct OmissionKey
{
    FilterPart part = FilterPart::Five;
    int threshold = 0;
    bool hot = false;         // 热号: omission at most the threshold; 冷号: at least
    bool atPositions = false; // each position's own omission, or the whole part's

    bool operator==(const OmissionKey &) const = default;
};

// Where the omissions stand just before one draw of the history: the last draw before it that
// showed each digit, by position of the part (or, for the whole part, in row 0), and so the
// digits a 冷号 or 热号 condition marks there.
//
// The omission of a digit before draw t is the trend chart's omission at draw t - 1: 0 when draw
// t - 1 shows it, else the draws since the last one that did, counted from the history's first
// draw; that is t - 1 - last, with last = -1 for a digit not yet shown. Before the first draw
// every omission is 0: nothing is cold there unless the threshold is 0, everything is hot; in the
// first draws an omission is at most the draws before.
class OmissionCursor
{
  public:
    using Last = std::array<std::array<int32_t, 10>, 5>;

    // Before the history's first draw.
    explicit OmissionCursor(const OmissionKey &key);

    const OmissionKey &key() const { return m_key; }
    // The draw it stands before.
    size_t draw() const { return m_draw; }
    // The marked digits: with `atPositions` the digits of the part's position i at bits
    // 10i … 10i+9, otherwise bits 0-9 for the whole part.
    uint64_t marks() const;
    // Takes in the draw it stands before, by its part's digits (NumberTable::packedDigits).
    void step(uint32_t packedDigits);

  private:
    friend class OmissionTrack;

    OmissionKey m_key;
    int m_digits = 0;
    size_t m_draw = 0;
    Last m_last;
};

} // namespace quorlent::filter
