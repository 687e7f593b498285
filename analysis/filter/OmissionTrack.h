#pragma once

#include "DrawTable.h"

#include <array>
#include <cstdint>
#include <vector>

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

// The digits a 冷号 or 热号 condition marks before every draw of the history, kept up as draws
// are appended.
//
// The omission of a digit before draw t is the trend chart's omission at draw t - 1: 0 when draw
// t - 1 shows it, else the draws since the last one that did, counted from the history's first
// draw, that is t - 1 - (the last draw before t showing it, or -1). Before the first draw every
// omission is 0, so nothing is cold there (unless the threshold is 0) and everything is hot; in
// the first draws omissions can only be as large as the draws before. With `atPositions` a digit
// is shown at one position; otherwise anywhere in the part.
//
// A digit is cold before draw t exactly when t >= threshold and it is absent from the last
// `threshold` draws, and hot when t <= threshold or it appears in the last threshold + 1 draws: a
// window of draws slides along the history, so each draw costs a few steps.
class OmissionTrack
{
  public:
    static constexpr size_t kCheckpointEvery = 256;

    explicit OmissionTrack(const OmissionKey &key);

    const OmissionKey &key() const { return m_key; }
    // Draws taken in; marks() is known for 0 … size().
    size_t size() const { return m_counts.size(); }
    // Takes in draws[size() …].
    void extend(const DrawTable &draws);

    // The marked digits before draw t: with `atPositions` the digits of the part's position i at
    // bits 10i … 10i+9, otherwise bits 0-9 for the whole part.
    uint64_t marks(size_t t) const { return m_marks[t]; }
    const std::vector<uint64_t> &allMarks() const { return m_marks; }
    // How many positions of draw t hold a marked digit.
    int markedPositions(size_t t) const { return m_counts[t]; }
    // How many positions of number `value` would hold a marked digit at draw t.
    int markedPositions(uint32_t value, size_t t) const;

    // For draws t of [begin, end): Σ over t of the numbers of the part with j marked positions.
    Spread spread(size_t begin, size_t end) const;
    // The numbers of the part with j marked positions, with marks `marks`.
    static Spread numbersMarked(const OmissionKey &key, uint64_t marks);

  private:
    Spread spreadBefore(size_t t) const;
    void addMarks();

    OmissionKey m_key;
    int m_digits = 0;
    size_t m_window = 0; // draws the window holds once the history is long enough
    std::vector<uint64_t> m_marks;
    std::vector<uint8_t> m_counts;
    std::vector<Spread> m_checkpoints; // the sums before draws 0, 256, 512, …
    // How often each digit is shown in the window, by position of the part (one row when the
    // whole part counts), and which digits are.
    std::array<std::array<int32_t, 10>, 5> m_inWindow{};
    std::array<uint16_t, 5> m_present{};
};

} // namespace quorlent::filter
