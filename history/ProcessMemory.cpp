#include "ProcessMemory.h"

#include <QtGlobal>

#if defined(Q_OS_LINUX)
#include <malloc.h>
#include <sys/mman.h>
#endif

#include <cstdint>

#if defined(Q_OS_WIN)
#include <malloc.h>
#include <sqlite3.h>

#include <atomic>
#include <cstdlib>
#include <new>

// Windows gives a block of half a megabyte or more back to the system as soon as it is freed, and
// the pages past a freed block at the end of the heap beyond its first 64 KB: a search run again
// touches fresh pages for its lists each time, and SQLite, which takes and frees a page-sized
// scratch block each time it splits a page, touches fresh pages for it a thousand times in an
// import. Here, once asked, freed blocks from kKeptFrom up are kept (up to kKeptBytes in all) and
// handed out again, both ours (operator new) and SQLite's. Every block is a plain malloc block
// whichever side keeps it, so the DLLs' own new and delete mix with these.
namespace {

constexpr size_t kKeptFrom = size_t(64) << 10;
constexpr size_t kKeptBytes = size_t(128) << 20;
constexpr int kKeptBlocks = 64;

struct KeptBlock
{
    void *block;
    size_t size;
};

std::atomic<bool> keeping{false};
std::atomic_flag keptLock = ATOMIC_FLAG_INIT;
KeptBlock kept[kKeptBlocks];
int keptCount = 0;
size_t keptBytes = 0;

struct KeptLock
{
    KeptLock()
    {
        while (keptLock.test_and_set(std::memory_order_acquire)) {
        }
    }
    ~KeptLock() { keptLock.clear(std::memory_order_release); }
};

// The smallest kept block that holds `bytes` and is not more than twice as large.
void *takeKept(size_t bytes)
{
    KeptLock lock;
    int best = -1;
    for (int i = 0; i < keptCount; ++i) {
        const size_t size = kept[i].size;
        if (size >= bytes && size / 2 <= bytes && (best < 0 || size < kept[best].size))
            best = i;
    }
    if (best < 0)
        return nullptr;
    void *block = kept[best].block;
    keptBytes -= kept[best].size;
    for (int i = best + 1; i < keptCount; ++i)
        kept[i - 1] = kept[i];
    --keptCount;
    return block;
}

// Keeps the block, giving the oldest kept ones back to make room.
void release(void *block, size_t size)
{
    if (!block)
        return;
    if (size < kKeptFrom || size > kKeptBytes / 4 || !keeping.load(std::memory_order_relaxed)) {
        std::free(block);
        return;
    }
    void *evicted[kKeptBlocks];
    int evictedCount = 0;
    {
        KeptLock lock;
        int oldest = 0;
        while (oldest < keptCount &&
               (keptCount - oldest == kKeptBlocks || keptBytes + size > kKeptBytes)) {
            evicted[evictedCount++] = kept[oldest].block;
            keptBytes -= kept[oldest].size;
            ++oldest;
        }
        for (int i = oldest; i < keptCount; ++i)
            kept[i - oldest] = kept[i];
        keptCount -= oldest;
        kept[keptCount++] = {block, size};
        keptBytes += size;
    }
    for (int i = 0; i < evictedCount; ++i)
        std::free(evicted[i]);
}

void *allocate(size_t bytes)
{
    if (bytes >= kKeptFrom && keeping.load(std::memory_order_relaxed)) {
        if (void *block = takeKept(bytes))
            return block;
    }
    return std::malloc(bytes ? bytes : 1);
}

// SQLite's allocator: its own blocks, kept as ours are. It asks a block's size itself, so no
// header of its own is needed.
void *sqliteMalloc(int bytes)
{
    return allocate(size_t(bytes));
}

void sqliteFree(void *block)
{
    release(block, block ? _msize(block) : 0);
}

void *sqliteRealloc(void *block, int bytes)
{
    return std::realloc(block, size_t(bytes));
}

int sqliteSize(void *block)
{
    return block ? int(_msize(block)) : 0;
}

int sqliteRoundup(int bytes)
{
    return (bytes + 15) & ~15;
}

int sqliteInit(void *)
{
    return SQLITE_OK;
}

void sqliteShutdown(void *) {}

} // namespace

void *operator new(size_t bytes)
{
    for (;;) {
        if (void *block = allocate(bytes))
            return block;
        std::new_handler handler = std::get_new_handler();
        if (!handler)
            throw std::bad_alloc();
        handler();
    }
}

void operator delete(void *block) noexcept
{
    release(block, block ? _msize(block) : 0);
}

void operator delete(void *block, size_t bytes) noexcept
{
    // A block asked for below kKeptFrom never came from the kept ones: no need to ask its size.
    if (bytes < kKeptFrom)
        std::free(block);
    else
        release(block, _msize(block));
}
#endif

namespace quorlent {

void keepFreedMemory()
{
#if defined(Q_OS_LINUX) && defined(__GLIBC__)
    // Blocks up to 64 MB come from the heap rather than fresh mappings, and up to 128 MB freed at
    // its top stay with the process.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
#elif defined(Q_OS_WIN)
    // Before SQLite's first use, which fixes its allocator.
    static const sqlite3_mem_methods methods{sqliteMalloc,  sqliteFree, sqliteRealloc,  sqliteSize,
                                             sqliteRoundup, sqliteInit, sqliteShutdown, nullptr};
    if (!keeping.exchange(true, std::memory_order_relaxed))
        sqlite3_config(SQLITE_CONFIG_MALLOC, &methods);
#endif
}

void preferLargePages(void *data, size_t bytes)
{
#if defined(Q_OS_LINUX)
    constexpr uintptr_t kLarge = uintptr_t(2) << 20;
    const auto begin = (reinterpret_cast<uintptr_t>(data) + kLarge - 1) & ~(kLarge - 1);
    const auto end = (reinterpret_cast<uintptr_t>(data) + bytes) & ~(kLarge - 1);
    if (end > begin)
        madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE);
#else
    Q_UNUSED(data);
    Q_UNUSED(bytes);
#endif
}

} // namespace quorlent
