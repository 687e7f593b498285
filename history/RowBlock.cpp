#include "RowBlock.h"

#include <optional>

namespace quorlent {

namespace {

enum Flag : uint8_t
{
    HasPrevious = 1,
    OwnDerived = 2,
    OwnBaseOne = 4,
    PreviousIsRowBefore = 8,
    PreviousDerived = 16,
    PreviousBaseOne = 32,
};

constexpr size_t kWholeCodes = size_t(kKinds) * kPositions;

// DrawCodes::fromDigits for digits known to be 0-9, by table: a history is half a million of these.
void deriveCodes(uint32_t packed, int base, DrawCodes &codes)
{
    for (size_t p = 0; p < size_t(kPositions); ++p) {
        const auto d = uint8_t(packed >> (4 * p) & 0xf);
        codes.byKind[0][p] = d;
        codes.byKind[1][p] = d > 4;
        codes.byKind[2][p] = d & 1;
        codes.byKind[3][p] = uint8_t(d / 2 + base);
    }
}

// The segment base the codes were derived with from their digits, or nothing when they were not
// derived so (or a digit is no digit).
std::optional<int> derivedBase(const DrawCodes &codes)
{
    for (uint8_t d : codes.digits()) {
        if (d > 9)
            return std::nullopt;
    }
    for (int base : {0, 1}) {
        if (DrawCodes::fromDigits(codes.digits(), base) == codes)
            return base;
    }
    return std::nullopt;
}

void putDigits(std::string &out, const Digits &digits)
{
    const uint32_t packed = uint32_t(digits[0]) | uint32_t(digits[1]) << 4 |
                            uint32_t(digits[2]) << 8 | uint32_t(digits[3]) << 12 |
                            uint32_t(digits[4]) << 16;
    out += char(packed & 0xff);
    out += char(packed >> 8 & 0xff);
    out += char(packed >> 16);
}

void putWhole(std::string &out, const DrawCodes &codes)
{
    for (const PositionValues &values : codes.byKind) {
        for (uint8_t v : values)
            out += char(v);
    }
}

// Returns the flags that say how `codes` were written: derived (with the base) or whole.
uint8_t putCodes(std::string &out, const DrawCodes &codes, uint8_t derived, uint8_t baseOne)
{
    if (const std::optional<int> base = derivedBase(codes)) {
        putDigits(out, codes.digits());
        return uint8_t(derived | (*base ? baseOne : 0));
    }
    putWhole(out, codes);
    return 0;
}

void putVarint(std::string &out, uint64_t value)
{
    while (value >= 0x80) {
        out += char((value & 0x7f) | 0x80);
        value >>= 7;
    }
    out += char(value);
}

class Reader
{
  public:
    explicit Reader(std::string_view bytes) : m_bytes(bytes) {}

    bool atEnd() const { return m_at == m_bytes.size(); }

    std::optional<uint64_t> varint()
    {
        uint64_t value = 0;
        for (int shift = 0; shift < 64 && m_at < m_bytes.size(); shift += 7) {
            const auto byte = uint8_t(m_bytes[m_at++]);
            value |= uint64_t(byte & 0x7f) << shift;
            if (!(byte & 0x80))
                return value;
        }
        return std::nullopt;
    }

    std::optional<uint8_t> byte()
    {
        if (m_at == m_bytes.size())
            return std::nullopt;
        return uint8_t(m_bytes[m_at++]);
    }

    bool codes(DrawCodes &codes, bool derived, int base)
    {
        if (derived) {
            if (m_bytes.size() - m_at < 3)
                return false;
            const uint32_t packed = uint32_t(uint8_t(m_bytes[m_at])) |
                                    uint32_t(uint8_t(m_bytes[m_at + 1])) << 8 |
                                    uint32_t(uint8_t(m_bytes[m_at + 2])) << 16;
            m_at += 3;
            // Each nibble a digit: none has its 8 together with its 4 or its 2.
            const uint32_t tens = packed & 0x88888 & ((packed << 1) | (packed << 2));
            if ((packed >> 20) || tens)
                return false;
            deriveCodes(packed, base, codes);
            return true;
        }
        if (m_bytes.size() - m_at < kWholeCodes)
            return false;
        for (PositionValues &values : codes.byKind) {
            for (uint8_t &v : values)
                v = uint8_t(m_bytes[m_at++]);
        }
        return true;
    }

  private:
    std::string_view m_bytes;
    size_t m_at = 0;
};

} // namespace

std::string RowBlock::encode(std::span<const HistoryRow> rows)
{
    std::string out;
    out.reserve(rows.size() * 5 + 16);
    int64_t issue = 0;
    const HistoryRow *before = nullptr;
    for (const HistoryRow &row : rows) {
        const int64_t delta = int64_t(row.sqqh) - issue;
        putVarint(out, delta < 0 ? (uint64_t(-(delta + 1)) << 1 | 1) : uint64_t(delta) << 1);
        issue = row.sqqh;
        const size_t flagsAt = out.size();
        out += '\0';
        uint8_t flags = row.hasPrevious ? HasPrevious : 0;
        flags |= putCodes(out, row.own, OwnDerived, OwnBaseOne);
        if (before && row.previous == before->own)
            flags |= PreviousIsRowBefore;
        else
            flags |= putCodes(out, row.previous, PreviousDerived, PreviousBaseOne);
        out[flagsAt] = char(flags);
        before = &row;
    }
    return out;
}

bool RowBlock::decode(std::string_view bytes, size_t count, std::vector<HistoryRow> &rows)
{
    const size_t start = rows.size();
    auto fail = [&] {
        rows.resize(start);
        return false;
    };
    Reader reader(bytes);
    int64_t issue = 0;
    for (size_t i = 0; i < count; ++i) {
        const std::optional<uint64_t> zigzag = reader.varint();
        const std::optional<uint8_t> flags = reader.byte();
        if (!zigzag || !flags)
            return fail();
        issue += *zigzag & 1 ? -int64_t(*zigzag >> 1) - 1 : int64_t(*zigzag >> 1);
        if (issue < INT32_MIN || issue > INT32_MAX)
            return fail();
        HistoryRow row;
        row.sqqh = int32_t(issue);
        row.hasPrevious = *flags & HasPrevious;
        if (!reader.codes(row.own, *flags & OwnDerived, *flags & OwnBaseOne ? 1 : 0))
            return fail();
        if (*flags & PreviousIsRowBefore) {
            if (i == 0)
                return fail();
            row.previous = rows.back().own;
        } else if (!reader.codes(row.previous, *flags & PreviousDerived,
                                 *flags & PreviousBaseOne ? 1 : 0)) {
            return fail();
        }
        rows.push_back(row);
    }
    if (!reader.atEnd())
        return fail();
    return true;
}

} // namespace quorlent
