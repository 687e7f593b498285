#pragma once

#include <QString>

#include <vector>

namespace quorlent::plan {

// What is wrong with one field of a plan, for the window to show at that field: "倍投列表",
// "第 3 个倍数为 0，倍数至少为 1".
struct FieldError
{
    QString field;
    QString message;

    // "倍投列表：第 3 个倍数为 0，倍数至少为 1".
    QString text() const { return field + QStringLiteral("：") + message; }
    bool operator==(const FieldError &) const = default;
};

using FieldErrors = std::vector<FieldError>;

} // namespace quorlent::plan
