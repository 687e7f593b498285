#pragma once

#include <cstddef>
#include <vector>

namespace quorlent {

// How this process asks the system for memory, where the system lets it choose. The history's
// arrays are large and long-lived, and the searches' lists large and short-lived: on a virtual
// machine each page the process touches for the first time can cost more than the work done on it.

// Keeps freed memory for the next allocation instead of giving it back at once, so that a search
// that runs again (live results) reuses the pages of the one before, and SQLite the pages of its
// scratch blocks. Once, at start-up, before SQLite's first use.
void keepFreedMemory();

// Asks for large pages for an allocation not yet touched (the rows of a history): a few faults
// instead of thousands. Only whole large pages inside [data, data + bytes) are affected.
void preferLargePages(void *data, size_t bytes);

// Reserves room for `count` elements in memory given large pages before it is written.
template <typename T> void reserveOnLargePages(std::vector<T> &list, size_t count)
{
    list.reserve(count);
    preferLargePages(list.data(), list.capacity() * sizeof(T));
}

} // namespace quorlent
