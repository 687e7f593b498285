#include "TableLayout.h"

#include <algorithm>

namespace quorlent::import {

QString roleName(ColumnRole role)
{
    switch (role) {
    case ColumnRole::Other:
        return QStringLiteral("不读入");
    case ColumnRole::Issue:
        return QStringLiteral("期号");
    case ColumnRole::Date:
        return QStringLiteral("开奖日期");
    case ColumnRole::Digits:
        return QStringLiteral("开奖号码");
    case ColumnRole::Digit1:
    case ColumnRole::Digit2:
    case ColumnRole::Digit3:
    case ColumnRole::Digit4:
    case ColumnRole::Digit5:
        return QStringLiteral("第 %1 位")
            .arg(static_cast<int>(role) - static_cast<int>(ColumnRole::Digit1) + 1);
    }
    return {};
}

int TableLayout::column(ColumnRole role) const
{
    const auto found = std::find(roles.begin(), roles.end(), role);
    return found == roles.end() ? -1 : static_cast<int>(found - roles.begin());
}

std::array<int, 5> TableLayout::digitColumns() const
{
    std::array<int, 5> columns{};
    const int group = column(ColumnRole::Digits);
    for (int p = 0; p < 5; ++p)
        columns[p] =
            group >= 0 ? group
                       : column(static_cast<ColumnRole>(static_cast<int>(ColumnRole::Digit1) + p));
    return columns;
}

bool TableLayout::readsDraws() const
{
    const std::array<int, 5> digits = digitColumns();
    return column(ColumnRole::Issue) >= 0 &&
           std::none_of(digits.begin(), digits.end(), [](int c) { return c < 0; });
}

} // namespace quorlent::import
