#include "ProcessMemory.h"

#include <QtGlobal>
#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <vector>

using namespace quorlent;

// Where the system would give a large freed block back at once (Windows), the process keeps it:
// the next block of about its size is the same memory, pages already touched, and a much smaller
// one is not served from it. Blocks of every size stay whole and writable.
TEST(ProcessMemoryTest, LargeFreedBlocksServeTheNextOfTheirSize)
{
    keepFreedMemory();
    for (size_t bytes : {size_t(1000), size_t(300) << 10, size_t(5) << 20}) {
        std::vector<unsigned char> block(bytes, 0xAB);
        EXPECT_EQ(block.front(), 0xAB);
        EXPECT_EQ(block.back(), 0xAB);
    }
#if defined(Q_OS_WIN)
    constexpr size_t kLarge = size_t(1) << 20;
    void *first = ::operator new(kLarge);
    std::memset(first, 0x5A, kLarge);
    ::operator delete(first, kLarge);
    // Still written as it was: the system hands out fresh memory zeroed, even at the same address.
    auto *again = static_cast<unsigned char *>(::operator new(kLarge - 4096));
    EXPECT_EQ(again, first);
    EXPECT_EQ(again[kLarge / 2], 0x5A);
    std::memset(again, 2, kLarge - 4096);
    ::operator delete(again, kLarge - 4096);
    void *smaller = ::operator new(kLarge / 3);
    EXPECT_NE(smaller, first);
    std::memset(smaller, 3, kLarge / 3);
    ::operator delete(smaller); // unsized, as a delete of an incomplete type does
#else
    GTEST_SKIP() << "glibc keeps freed memory itself once told (mallopt)";
#endif
}
