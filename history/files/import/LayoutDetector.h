#pragma once

#include "SourceText.h"
#include "TableLayout.h"

#include <optional>

namespace quorlent::import {

// Finds how a file's table is laid out from what its first rows hold, whatever a header row calls
// the columns: the separator that reads the most draws, the issue column (the one whose values
// run in order when more than one could be issues, and one not of five digits before one that
// could be the draw), a date column, the five digits in one field (the leftmost, unless the
// header names it a trial draw, a prize or sales) or in five.
class LayoutDetector
{
  public:
    // How far into the text a draw is looked for before the file is taken to hold none.
    static constexpr qsizetype kSearchChars = 4 * 1024 * 1024;
    // How many lines from the first draw on decide the layout.
    static constexpr int kSampleLines = 300;

    // The 1-based line of the first line that looks like a draw (an issue of some game and five
    // digits, however set apart), searched in the first kSearchChars characters; 0 when none.
    static qsizetype firstDrawLine(const SourceText &source);
    // The layout that reads the most draws, nothing when no line looks like a draw.
    static std::optional<TableLayout> detect(const SourceText &source);
    // The layout with the separator the user chose.
    static TableLayout detect(const SourceText &source, Separator separator);
};

} // namespace quorlent::import
