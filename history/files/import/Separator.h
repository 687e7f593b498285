#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <vector>

namespace quorlent::import {

// What sets the fields of a table's line apart.
enum class Separator : uint8_t
{
    Tab,
    Comma,     // "," or the full-width "，"
    Semicolon, // ";" or "；"
    Blanks,    // any run of spaces, tabs or ideographic spaces
};

inline constexpr std::array<Separator, 4> kAllSeparators{Separator::Tab, Separator::Comma,
                                                         Separator::Semicolon, Separator::Blanks};

// How the preview names it: "逗号".
QString separatorName(Separator separator);

// The fields of `line`, each without blanks around it and without the quotes of a quoted field
// ("2026101", ="09033"); a separator inside quotes belongs to the field. The views point into
// `line`. `fields` is reused so that a long file splits without allocating.
void splitFields(QStringView line, Separator separator, std::vector<QStringView> &fields);

} // namespace quorlent::import
