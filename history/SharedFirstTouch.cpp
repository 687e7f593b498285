#include "SharedFirstTouch.h"

#include <algorithm>
#include <system_error>

namespace quorlent {

SharedFirstTouch::SharedFirstTouch(void *data, size_t bytes)
    : m_data(static_cast<std::byte *>(data)), m_bytes(bytes),
      m_firstPage(reinterpret_cast<uintptr_t>(data) & ~uintptr_t(kPageSize - 1)),
      m_pages(pagesReaching(bytes)), m_split(Split{0, m_pages}.word())
{
    // A history too small to share costs more in a thread than in faults; a page count beyond
    // what the atomic word holds is left to the caller too.
    if (m_pages < 64 || m_pages >= (uint64_t(1) << 32)) {
        m_split = Split{m_pages, m_pages}.word();
        return;
    }
    try {
        m_helper = std::thread([this] { touchFromEnd(); });
    } catch (const std::system_error &) {
        m_split = Split{m_pages, m_pages}.word(); // no thread: the caller takes its faults alone
    }
}

uint64_t SharedFirstTouch::pagesReaching(size_t bytes) const
{
    if (bytes == 0)
        return 0;
    const uintptr_t end = reinterpret_cast<uintptr_t>(m_data) + bytes;
    return (end - m_firstPage + kPageSize - 1) / kPageSize;
}

SharedFirstTouch::~SharedFirstTouch()
{
    endHelper();
}

void SharedFirstTouch::touchFromEnd()
{
    uint64_t word = m_split.load(std::memory_order_relaxed);
    for (;;) {
        const auto [caller, helper] = Split::of(word);
        if (helper <= caller)
            return;
        if (!m_split.compare_exchange_weak(word, Split{caller, helper - 1}.word(),
                                           std::memory_order_relaxed))
            continue;
        // The page's first byte inside the allocation: the page that holds m_data may begin
        // before it, with another allocation's bytes.
        const uintptr_t page = m_firstPage + (helper - 1) * kPageSize;
        std::byte *at = std::max(m_data, reinterpret_cast<std::byte *>(page));
        *static_cast<volatile std::byte *>(at) = std::byte{0};
        word = m_split.load(std::memory_order_relaxed);
    }
}

void SharedFirstTouch::claim(size_t bytes)
{
    const uint64_t needed = pagesReaching(std::min(bytes, m_bytes));
    uint64_t word = m_split.load(std::memory_order_relaxed);
    for (;;) {
        const auto [caller, helper] = Split::of(word);
        if (needed <= caller)
            return;
        if (needed > helper) {
            // Pages the helper has taken, or is taking: they are the caller's once it has ended.
            endHelper();
            return;
        }
        if (m_split.compare_exchange_weak(word, Split{needed, helper}.word(),
                                          std::memory_order_relaxed))
            return;
    }
}

void SharedFirstTouch::endHelper()
{
    // The helper stops at the first page the caller holds: give it them all.
    m_split.store(Split{m_pages, m_pages}.word(), std::memory_order_relaxed);
    if (m_helper.joinable())
        m_helper.join();
}

} // namespace quorlent
