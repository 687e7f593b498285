#pragma once

#include "HistoryRow.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorlent {

// Rows of the history in the few bytes the compact copy beside Lishi keeps of each (table
// LishiYasuo, see RowMirror): about five bytes a draw where Lishi takes two hundred, so that
// opening a history reads a fortieth of the file.
//
// A row is its issue as the difference from the row before (zigzag varint), a byte of flags, its
// own codes and its stored previous-draw codes. Codes as every writer derives them from the digits
// (大小 and 单双 from the digit, 段数 the digit halved plus a base of 0 or 1) are the five digits
// in three bytes, with the base among the flags; any other codes are kept whole, twenty bytes. A
// previous draw that is the own codes of the row before takes no bytes at all. The dates of a
// game numbered by year are not kept here (Kaijiangri holds them).
class RowBlock
{
  public:
    static std::string encode(std::span<const HistoryRow> rows);
    // Appends the `count` rows of `bytes` to `rows`. False, with `rows` as before, when the bytes
    // are not exactly such a block.
    static bool decode(std::string_view bytes, size_t count, std::vector<HistoryRow> &rows);
};

} // namespace quorlent
