#include "ProcessMemory.h"

#include <QtGlobal>

#if defined(Q_OS_LINUX)
#include <malloc.h>
#include <sys/mman.h>
#endif

#include <cstdint>

namespace quorlent {

void keepFreedMemory()
{
#if defined(Q_OS_LINUX) && defined(__GLIBC__)
    // Blocks up to 64 MB come from the heap rather than fresh mappings, and up to 128 MB freed at
    // its top stay with the process.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
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
