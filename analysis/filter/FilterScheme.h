#pragma once

#include "ConditionSet.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace quorlent::filter {

// The version schemeToJson() writes; schemeFromJson() reads it and every one before.
inline constexpr int kSchemeVersion = 1;

// A 方案: a condition set with its part and selection as a JSON document that names its format
// and version, each condition with its kind and the fields of its kind only, enumerations by
// ASCII names ("part": "front-three", "kind": "sum").
QByteArray schemeToJson(const ConditionSet &set);

struct SchemeReading
{
    std::optional<ConditionSet> set;
    QString error; // why there is no set, in Chinese
};

// Reads a 方案 written by schemeToJson() of this or an earlier version. Fields it does not know
// are passed over; anything it cannot read gives no set and a message naming what is wrong. The
// set read may still hold conditions that validate() refuses, as typed.
SchemeReading schemeFromJson(const QByteArray &json);

} // namespace quorlent::filter
