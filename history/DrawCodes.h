#pragma once

#include <QString>

#include <array>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <iosfwd>
#include <string_view>

namespace quorlent {

inline constexpr int kPositions = 5;
inline constexpr int kKinds = 4;

// The four kinds of value derived from a digit, in the order the interface lists them.
enum class Kind : int { Number = 0, BigSmall = 1, OddEven = 2, Segment = 3 };

inline constexpr std::array<Kind, kKinds> kAllKinds{Kind::Number, Kind::BigSmall, Kind::OddEven,
                                                     Kind::Segment};

// Column suffix of a kind: "A", "B", "E", "F".
const char *kindSuffix(Kind kind);

// Number of counter slots a kind needs (0-9, 0-1, 0-1, 0-5).
int kindValueCount(Kind kind);

// One value per position, positions 1..5 at indexes 0..4.
using PositionValues = std::array<uint8_t, kPositions>;
using Digits = PositionValues;

// The code of one digit in one kind; `segmentBase` is 0 ("0~4") or 1 ("1~5").
int codeOf(int digit, Kind kind, int segmentBase);

// How a kind's codes are written, for the boxes and grids that show codes: "0 = 小（0–4），1 = 大
// （5–9）"; empty for 号码, whose codes are the digits.
QString codeKey(Kind kind, int segmentBase);

// Whether `value` is a code of the kind: 0–9 for 号码, 0–1 for 大小 and 单双, the five segments
// from `segmentBase` for 段数.
bool isCodeOf(int value, Kind kind, int segmentBase);

// What a reference value of the kind may be, for a message: "号码是 0–9", "大小用 0 = 小（0–4），
// 1 = 大（5–9）".
QString kindCodes(Kind kind, int segmentBase);

// The four kinds of code of one draw. All zero stands for "no draw" in the previous-draw columns.
struct DrawCodes
{
    std::array<PositionValues, kKinds> byKind{};

    const PositionValues &operator[](Kind kind) const { return byKind[static_cast<int>(kind)]; }
    PositionValues &operator[](Kind kind) { return byKind[static_cast<int>(kind)]; }
    const Digits &digits() const { return (*this)[Kind::Number]; }

    static DrawCodes fromDigits(const Digits &digits, int segmentBase);

    bool operator==(const DrawCodes &) const = default;
};

// The value of one of a row's text columns, kept inline: a run of half a million rows copies
// these without touching the heap. Holds any token text of five positions.
class ColumnText
{
public:
    static constexpr size_t kCapacity = 31;

    std::string_view view() const { return {m_chars.data(), m_size}; }
    QString toQString() const
    {
        return QString::fromLatin1(m_chars.data(), static_cast<qsizetype>(m_size));
    }
    bool empty() const { return m_size == 0; }
    void push_back(char c)
    {
        assert(m_size < kCapacity);
        m_chars[m_size++] = c;
    }
    void append(std::string_view text)
    {
        assert(m_size + text.size() <= kCapacity);
        std::memcpy(m_chars.data() + m_size, text.data(), text.size());
        m_size = static_cast<uint8_t>(m_size + text.size());
    }

    bool operator==(const ColumnText &other) const { return view() == other.view(); }
    friend bool operator==(const ColumnText &text, std::string_view other)
    {
        return text.view() == other;
    }

private:
    std::array<char, kCapacity> m_chars{};
    uint8_t m_size = 0;
};

std::ostream &operator<<(std::ostream &out, const ColumnText &text);

// Occurrence tokens: for positions 1..5 in order, the occurrence count of the value so far, "X",
// the value and a blank. 3,1,3,3,0 gives "1X3 1X1 2X3 3X3 1X0 ". Order-independent as a set.
ColumnText occurrenceTokens(const PositionValues &values);

// The five digits as five characters without separators.
ColumnText digitText(const Digits &digits);

} // namespace quorlent
