#pragma once

#include "IssueRange.h"

#include <cstdint>
#include <vector>

namespace quorlent {

// Room for a hit list as long as `rows`, kept by the thread from one search to the next: a search
// of half a million rows must not touch memory it has not touched before, which on some machines
// costs more than the search itself.
inline std::vector<uint32_t> &hitScratch(size_t rows)
{
    thread_local std::vector<uint32_t> scratch;
    if (scratch.size() < rows)
        scratch.resize(rows);
    return scratch;
}

// The rows of `span` that `matches` accepts, ascending. Each row's index is written and the end
// moves on only for a hit: no branch on whether a row is one, which for many searches is a coin
// toss the processor cannot predict.
template <typename Match>
std::vector<uint32_t> collectHits(const IssueRange::Span &span, const Match &matches)
{
    if (span.end <= span.begin)
        return {};
    std::vector<uint32_t> &scratch = hitScratch(span.end - span.begin);
    size_t found = 0;
    for (size_t r = span.begin; r < span.end; ++r) {
        scratch[found] = static_cast<uint32_t>(r);
        found += matches(r) ? 1 : 0;
    }
    return std::vector<uint32_t>(scratch.begin(), scratch.begin() + std::ptrdiff_t(found));
}

} // namespace quorlent
