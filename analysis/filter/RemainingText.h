#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace quorlent::filter {

enum class TextLayout
{
    Blanks, // "01234 01235 …"
    Lines   // one number a line
};

// The numbers as text for the clipboard or a file, each with all `digitCount` digits ("00123"),
// separated by a blank or a line break (nothing after the last).
QString remainingText(const std::vector<uint32_t> &values, int digitCount, TextLayout layout);

} // namespace quorlent::filter
