#pragma once

#include "ConjunctionShare.h"
#include "Record.h"

#include <QByteArray>

#include <atomic>
#include <optional>
#include <vector>

namespace quorlent::filter {

// The exact expected share of the switched-on conditions together over one window, for when it
// is too much work for the moment a condition changes (冷号 or 热号 among them, over a long
// window: see FilterEngine::records()). It holds copies of everything it reads, so it can run on
// a worker thread while the engine and the history go on. Hand the finished record back with
// FilterEngine::acceptConjunction(); one for a condition set or history that has changed since
// is ignored there.
class ConjunctionShareTask
{
  public:
    // The window, as indexes into the history rows.
    size_t begin() const { return m_begin; }
    size_t end() const { return m_end; }
    // Identifies the condition set, part, window and history the record is for.
    const QByteArray &key() const { return m_key; }

    // The finished record of the conditions together, or none when `cancel` was set before it
    // was done. Checks `cancel` every 1,024 draws of the window.
    std::optional<Record> run(const std::atomic<bool> *cancel = nullptr) const;

  private:
    friend class FilterEngine;

    struct Marked
    {
        uint64_t allowed = 0;
        OmissionCursor start;
        std::vector<uint32_t> digits;
    };

    QByteArray m_key;
    size_t m_begin = 0;
    size_t m_end = 0;
    int64_t m_passes = 0;
    FilterPart m_part = FilterPart::Five;
    std::vector<uint32_t> m_items;
    std::vector<uint32_t> m_weights;
    bool m_hasRepeat = false;
    uint64_t m_repeatAllowed = 0;
    std::vector<uint16_t> m_before;
    bool m_firstHasNone = false;
    std::vector<Marked> m_marked;
};

} // namespace quorlent::filter
