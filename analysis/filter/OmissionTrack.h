#pragma once

#include "DrawTable.h"
#include "OmissionCursor.h"

#include <array>
#include <cstdint>
#include <vector>

namespace quorlent::filter {

// What a 冷号 or 热号 condition reads of the whole history (see OmissionCursor for the omission
// before a draw): for every draw how many of its positions hold a marked digit, and over any
// window of draws how many numbers of the part have j marked positions, summed over the draws.
// Kept up as draws are appended.
//
// A threshold change works all of it out again, so it is done in one pass with a few steps per
// position and draw: a digit's mark changes only when it is drawn, or when the draw that last
// showed it falls out of reach of the threshold, so the marked digits of each position are
// counted, not found.
class OmissionTrack
{
  public:
    static constexpr size_t kCheckpointEvery = 256;

    explicit OmissionTrack(const OmissionKey &key);

    const OmissionKey &key() const { return m_key; }
    // Draws taken in.
    size_t size() const { return m_counts.size(); }
    // Takes in draws[size() …].
    void extend(const DrawTable &draws);

    // How many positions of draw t hold a digit marked before it.
    int markedPositions(size_t t) const { return m_counts[t]; }
    // The marks before the draw to come.
    uint64_t marksNow() const { return m_now.marks(); }
    // Where the omissions stand before draw t ≤ size(), of `draws` (the table it was extended
    // from).
    OmissionCursor cursorAt(const DrawTable &draws, size_t t) const;

    // For draws t of [begin, end): Σ over t of the numbers of the part with j marked positions
    // before t.
    Spread spread(size_t begin, size_t end, const DrawTable &draws) const;

  private:
    template <int Digits> void extendWith(const DrawTable &draws);
    template <int Digits, bool AtPositions, bool Hot> void extendFor(const DrawTable &draws);
    Spread spreadBefore(size_t t, const DrawTable &draws) const;

    OmissionKey m_key;
    int m_digits = 0;
    std::vector<uint8_t> m_counts;
    OmissionCursor m_now;                       // before the draw to come
    std::array<int32_t, 5> m_marked{};          // marked digits of each row there
    Spread m_running{};                         // the sums before it
    std::vector<Spread> m_checkpoints;          // the sums before draws 0, 256, 512, …
    std::vector<OmissionCursor::Last> m_lastAt; // the cursor's draws there
};

} // namespace quorlent::filter
