#include "ProcessMemory.h"

#include <QtGlobal>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstring>
#include <new>
#include <vector>

using namespace quorlent;

// Where the system would give a large freed block back at once (Windows), the process keeps it:
// the next block of about its size is the same memory, pages already touched, and a much smaller
// one is not served from it. Blocks of every size stay whole and writable. SQLite's blocks (the
// scratch block of a page split) are kept the same way.
TEST(ProcessMemoryTest, LargeFreedBlocksServeTheNextOfTheirSize)
{
    sqlite3_shutdown(); // SQLite takes its allocator when it starts: as if this process just began
    keepFreedMemory();
    const int scratch = 200 << 10;
    auto *fromSqlite = static_cast<unsigned char *>(sqlite3_malloc(scratch));
    ASSERT_NE(fromSqlite, nullptr);
    std::memset(fromSqlite, 0x3C, size_t(scratch));
    sqlite3_free(fromSqlite);
    auto *sqliteAgain = static_cast<unsigned char *>(sqlite3_malloc(scratch - 4096));
    ASSERT_NE(sqliteAgain, nullptr);
#if defined(Q_OS_WIN)
    EXPECT_EQ(sqliteAgain, fromSqlite);
    EXPECT_EQ(sqliteAgain[scratch / 2], 0x3C);
#endif
    EXPECT_GE(sqlite3_msize(sqliteAgain), sqlite3_uint64(scratch - 4096));
    std::memset(sqliteAgain, 1, size_t(scratch - 4096));
    auto *grown = static_cast<unsigned char *>(sqlite3_realloc(sqliteAgain, scratch * 2));
    ASSERT_NE(grown, nullptr);
    EXPECT_EQ(grown[scratch - 4097], 1);
    sqlite3_free(grown);

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
