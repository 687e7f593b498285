#pragma once

#include <QString>

#include <cstdint>

namespace quorlent::filter {

// A value list read from the text the user typed: the allowed values as bits of a mask, or the
// message that says what is wrong with the text.
struct ValueListReading
{
    uint64_t mask = 0;
    QString error;

    bool ok() const { return error.isEmpty(); }
};

// Whole numbers and ranges from `low` to `high` (at most 63), separated by commas, 、 or blanks:
// "10-14, 20", "3 5 7", "0~2". Full-width digits and signs are read as their half-width forms.
// `label` names the list in messages ("和值").
ValueListReading readValues(const QString &text, int low, int high, const QString &label);

// Ratios of `terms` (2 or 3) whole numbers summing to `total`, separated like values: "2:3, 3:2",
// "2:2:1". Bit a of the mask for a:b, bit a·(total+1)+b for a:b:c.
ValueListReading readRatios(const QString &text, int terms, int total, const QString &label);

} // namespace quorlent::filter
