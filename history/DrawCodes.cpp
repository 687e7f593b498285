#include "DrawCodes.h"

#include <QStringList>

#include <algorithm>
#include <ostream>

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

QString codeKey(Kind kind, int segmentBase)
{
    switch (kind) {
    case Kind::Number:
        return {};
    case Kind::BigSmall:
        return QStringLiteral("0 = 小（0–4），1 = 大（5–9）");
    case Kind::OddEven:
        return QStringLiteral("0 = 双（0 2 4 6 8），1 = 单（1 3 5 7 9）");
    case Kind::Segment: {
        QStringList pairs;
        for (int d = 0; d < 10; d += 2)
            pairs << QStringLiteral("%1 = %2–%3").arg(codeOf(d, kind, segmentBase)).arg(d).arg(d + 1);
        return pairs.join(QStringLiteral("，"));
    }
    }
    return {};
}

bool isCodeOf(int value, Kind kind, int segmentBase)
{
    switch (kind) {
    case Kind::Number:
        return value >= 0 && value <= 9;
    case Kind::BigSmall:
    case Kind::OddEven:
        return value == 0 || value == 1;
    case Kind::Segment:
        return value >= segmentBase && value <= segmentBase + 4;
    }
    return false;
}

QString kindCodes(Kind kind, int segmentBase)
{
    static const char *const names[kKinds] = {"号码", "大小", "单双", "段数"};
    const QString name = QString::fromUtf8(names[static_cast<int>(kind)]);
    if (kind == Kind::Number)
        return name + QStringLiteral("是 0–9");
    return name + QStringLiteral("用 ") + codeKey(kind, segmentBase);
}

DrawCodes DrawCodes::fromDigits(const Digits &digits, int segmentBase)
{
    // codeOf, spelled out: every record of an import is derived here.
    DrawCodes codes;
    for (size_t p = 0; p < size_t(kPositions); ++p) {
        const uint8_t d = digits[p];
        codes.byKind[0][p] = d;
        codes.byKind[1][p] = d > 4 ? 1 : 0;
        codes.byKind[2][p] = d % 2;
        codes.byKind[3][p] = static_cast<uint8_t>(d / 2 + segmentBase);
    }
    return codes;
}

std::ostream &operator<<(std::ostream &out, const ColumnText &text)
{
    return out << text.view();
}

namespace {

void appendNumber(ColumnText &text, int n)
{
    if (n >= 100)
        text.push_back(static_cast<char>('0' + n / 100));
    if (n >= 10)
        text.push_back(static_cast<char>('0' + n / 10 % 10));
    text.push_back(static_cast<char>('0' + n % 10));
}

} // namespace

ColumnText occurrenceTokens(const PositionValues &values)
{
    ColumnText tokens;
    if (std::all_of(values.begin(), values.end(), [](uint8_t v) { return v < 10; })) {
        // Every code a writer derives: each token is four characters, "kXv ".
        char text[4 * kPositions];
        for (size_t p = 0; p < size_t(kPositions); ++p) {
            int seen = 1;
            for (size_t q = 0; q < p; ++q)
                seen += values[q] == values[p];
            text[4 * p] = char('0' + seen);
            text[4 * p + 1] = 'X';
            text[4 * p + 2] = char('0' + values[p]);
            text[4 * p + 3] = ' ';
        }
        tokens.append(std::string_view(text, sizeof text));
        return tokens;
    }
    for (int p = 0; p < kPositions; ++p) {
        // Five positions: counting the equal values before this one beats clearing a table.
        int seen = 1;
        for (int q = 0; q < p; ++q)
            seen += values[q] == values[p];
        appendNumber(tokens, seen);
        tokens.push_back('X');
        appendNumber(tokens, values[p]);
        tokens.push_back(' ');
    }
    return tokens;
}

ColumnText digitText(const Digits &digits)
{
    ColumnText text;
    for (uint8_t d : digits)
        text.push_back(static_cast<char>('0' + d));
    return text;
}

} // namespace quorlent
