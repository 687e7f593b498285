#include "SharedFirstTouch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

using namespace quorlent;

namespace {

unsigned char patternAt(size_t i)
{
    return static_cast<unsigned char>(i * 7 + 1); // never the helper's zero at a page's start
}

} // namespace

// Whatever the caller writes after claiming it stays written: the helper writes only into pages
// the caller has not claimed, inside the allocation, and never once the caller needs them. Claims
// of every stride, starts that are not a page's, and claims past the end.
TEST(SharedFirstTouchTest, TheCallersWritesAreNeverOverwritten)
{
    constexpr size_t kBytes = (3 << 20) + 123;
    for (size_t offset : {size_t(0), size_t(1), size_t(4000)}) {
        for (size_t stride : {size_t(52), size_t(4096), size_t(13312), size_t(1) << 20}) {
            std::vector<unsigned char> memory(kBytes + offset + 2, 0xEE);
            unsigned char *data = memory.data() + 1 + offset;
            {
                SharedFirstTouch touch(data, kBytes);
                for (size_t at = 0; at < kBytes; at += stride) {
                    const size_t end = std::min(kBytes, at + stride);
                    touch.claim(end + (end == kBytes ? 999 : 0));
                    for (size_t i = at; i < end; ++i)
                        data[i] = patternAt(i);
                }
            }
            size_t wrong = 0;
            for (size_t i = 0; i < kBytes; ++i)
                wrong += data[i] != patternAt(i);
            EXPECT_EQ(wrong, 0u) << "offset " << offset << ", stride " << stride;
            EXPECT_EQ(memory[offset], 0xEE); // the bytes before and after are not the helper's
            EXPECT_EQ(memory.back(), 0xEE);
        }
    }
}

// Ended before any claim, or on an allocation too small to share, nothing is written; a claim of
// nothing needs no page.
TEST(SharedFirstTouchTest, SmallOrUnclaimedAllocationsEndCleanly)
{
    std::vector<unsigned char> small(1000, 0x5A);
    {
        SharedFirstTouch touch(small.data(), small.size());
        touch.claim(0);
        touch.claim(small.size());
    }
    EXPECT_EQ(std::count(small.begin(), small.end(), 0x5A), 1000);
    auto large = std::make_unique<unsigned char[]>(1 << 20);
    {
        SharedFirstTouch touch(large.get(), 1 << 20);
    }
    SharedFirstTouch nothing(nullptr, 0);
    nothing.claim(10);
}
