#include "DrawCodes.h"

namespace quorlent {

const char *kindSuffix(Kind kind)
{
    static constexpr const char *suffixes[kKinds] = {"A", "B", "E", "F"};
    return suffixes[static_cast<int>(kind)];
}

int kindValueCount(Kind kind)
{
    static constexpr int counts[kKinds] = {10, 2, 2, 6};
    return counts[static_cast<int>(kind)];
}

int codeOf(int digit, Kind kind, int segmentBase)
{
    switch (kind) {
    case Kind::Number:
        return digit;
    case Kind::BigSmall:
        return digit > 4 ? 1 : 0;
    case Kind::OddEven:
        return digit % 2;
    case Kind::Segment:
        return digit / 2 + segmentBase;
    }
    return 0;
}

DrawCodes DrawCodes::fromDigits(const Digits &digits, int segmentBase)
{
    DrawCodes codes;
    for (Kind kind : kAllKinds) {
        for (int p = 0; p < kPositions; ++p)
            codes[kind][p] = static_cast<uint8_t>(codeOf(digits[p], kind, segmentBase));
    }
    return codes;
}

std::string occurrenceTokens(const PositionValues &values)
{
    std::array<int, 256> seen{};
    std::string tokens;
    tokens.reserve(20);
    auto append = [&tokens](int n) {
        if (n < 10)
            tokens += static_cast<char>('0' + n); // the common case, without a conversion
        else
            tokens += std::to_string(n);
    };
    for (uint8_t v : values) {
        append(++seen[v]);
        tokens += 'X';
        append(v);
        tokens += ' ';
    }
    return tokens;
}

std::string digitText(const Digits &digits)
{
    std::string text;
    for (uint8_t d : digits)
        text += static_cast<char>('0' + d);
    return text;
}

} // namespace quorlent
