#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <thread>

namespace quorlent {

// Shares the first-touch faults of a fresh allocation with a second processor while the caller
// fills it from its start. Where the system gives no large pages (Windows) each page of a history's
// rows costs a fault the first time it is written, on a virtual machine more than filling it does.
// A helper thread writes a byte into each page from the end, and the two meet in the middle.
//
// The caller claims the bytes it is about to write before writing them. A page is either the
// caller's or the helper's, never both: each side takes pages through one atomic word. A page the
// helper has taken becomes the caller's once the helper has ended, which claim() waits for.
class SharedFirstTouch
{
  public:
    // [data, data + bytes) must outlive this object and stay where it is.
    SharedFirstTouch(void *data, size_t bytes);
    // Waits for the helper.
    ~SharedFirstTouch();
    SharedFirstTouch(const SharedFirstTouch &) = delete;
    SharedFirstTouch &operator=(const SharedFirstTouch &) = delete;

    // Makes the first `bytes` of the allocation the caller's to write.
    void claim(size_t bytes);

    static constexpr size_t kPageSize = 4096;

  private:
    // The atomic word's two halves: the pages below `caller` are the caller's, those from
    // `helper` on the helper's.
    struct Split
    {
        uint64_t caller;
        uint64_t helper;

        static Split of(uint64_t word) { return {word >> 32, word & 0xffffffffu}; }
        uint64_t word() const { return caller << 32 | helper; }
    };

    // The pages the first `bytes` of the allocation reach into.
    uint64_t pagesReaching(size_t bytes) const;
    void touchFromEnd();
    void endHelper();

    std::byte *m_data;
    size_t m_bytes;
    uintptr_t m_firstPage; // the address of the page that holds m_data
    uint64_t m_pages;
    std::atomic<uint64_t> m_split; // a Split

    std::thread m_helper;
};

} // namespace quorlent
