#include "FilterSummary.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace quorlent::filter {

// Worked on the share's shortest decimal form, the one a person reads (0.03575, not the binary
// 0.035749999…), so that halves round up as on paper: 3.575 % shows as 3.58 %.
QString formatShare(double share)
{
    char buffer[512];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, share, std::chars_format::fixed);
    if (!(share > 0) || written.ec != std::errc())
        return QStringLiteral("0.00%");
    const std::string text(buffer, written.ptr);
    const size_t point = text.find('.');
    std::string whole = text.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : text.substr(point + 1);
    fraction.resize(std::max<size_t>(fraction.size(), 2), '0');
    // Times 100: two digits move across the point.
    whole += fraction.substr(0, 2);
    fraction.erase(0, 2);
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
    // Two decimals; a share below 0.01 % keeps its first two significant digits.
    size_t decimals = 2;
    if (whole == "0") {
        const size_t first = fraction.find_first_not_of('0');
        if (first != std::string::npos && first >= 2)
            decimals = first + 2;
    }
    std::string digits = whole + fraction;
    const size_t keep = whole.size() + decimals;
    digits.resize(std::max(digits.size(), keep), '0');
    const bool up = digits.size() > keep && digits[keep] >= '5';
    digits.resize(keep);
    size_t wholeDigits = whole.size();
    if (up) {
        size_t i = keep;
        while (i > 0 && digits[i - 1] == '9')
            digits[--i] = '0';
        if (i == 0) {
            digits.insert(digits.begin(), '1');
            ++wholeDigits;
        } else {
            ++digits[i - 1];
        }
    }
    std::string shownFraction = digits.substr(wholeDigits);
    while (shownFraction.size() > 2 && shownFraction.back() == '0')
        shownFraction.pop_back();
    return QString::fromLatin1(digits.substr(0, wholeDigits) + '.' + shownFraction + '%');
}

QString resultText(const FilterCounts &counts, const ConditionSet &set)
{
    if (counts.remaining == 0) {
        QString text = QStringLiteral("没有号码满足全部条件");
        const int most = counts.mostRemoving;
        if (most >= 0 && size_t(most) < set.conditions.size() && counts.conditions[size_t(most)])
            text += QStringLiteral("；去掉最多的是第 %1 条「%2」，它单独只保留 %3")
                        .arg(most + 1)
                        .arg(conditionTitle(set.conditions[size_t(most)]),
                             formatShare(counts.conditions[size_t(most)]->share));
        return text;
    }
    if (set.selection == Selection::Group)
        return QStringLiteral("剩余 %1 组（%2 注），占全部的 %3")
            .arg(counts.remainingGroups)
            .arg(counts.remaining)
            .arg(formatShare(counts.remainingShare));
    return QStringLiteral("剩余 %1 注，占全部 %2 注的 %3")
        .arg(counts.remaining)
        .arg(counts.partSize)
        .arg(formatShare(counts.remainingShare));
}

} // namespace quorlent::filter
