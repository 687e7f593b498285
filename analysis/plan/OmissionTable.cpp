#include "OmissionTable.h"

#include "Play.h"

#include <array>
#include <cmath>

namespace quorlent::plan {

namespace {

constexpr int kColumnsPerPosition = 10 + kAttributes;
constexpr int kColumns = kPositions * kColumnsPerPosition;

// Calls seen(column) for the columns a draw shows: its digit and two codes at each position.
template <typename F> void forEachShown(const Digits &digits, F &&seen)
{
    for (int p = 0; p < kPositions; ++p) {
        const int d = digits[size_t(p)];
        const int base = p * kColumnsPerPosition;
        seen(base + d);
        seen(base + 10 + (d >= 5 ? int(Attribute::Big) : int(Attribute::Small)));
        seen(base + 10 + (d % 2 ? int(Attribute::Odd) : int(Attribute::Even)));
    }
}

} // namespace

QString OmissionRow::positionName() const
{
    static const char16_t *const names[] = {u"万位", u"千位", u"百位", u"十位", u"个位"};
    return QString::fromUtf16(names[position]);
}

QString OmissionRow::valueName() const
{
    return attribute ? attributeName(value) : QString::number(value);
}

std::vector<OmissionRow> omissionTable(const std::vector<HistoryRow> &rows, size_t begin,
                                       size_t end, trend::StatsOrigin origin)
{
    const size_t first = origin == trend::StatsOrigin::Carried ? 0 : begin;
    std::array<trend::ColumnPlace, kColumns> places{};
    // Where each column stands before the window: a walk over the draws from the origin.
    for (size_t t = first; t < begin; ++t) {
        forEachShown(rows[t].digits(), [&](int c) {
            trend::ColumnPlace &place = places[size_t(c)];
            place.run = place.last == int32_t(t) - 1 ? place.run + 1 : 1;
            place.last = int32_t(t);
        });
    }
    std::array<trend::ColumnCounter, kColumns> counters{};
    for (size_t t = begin; t < end; ++t) {
        forEachShown(rows[t].digits(), [&](int c) {
            counters[size_t(c)].seen(places[size_t(c)], int32_t(t), begin, first);
        });
    }

    std::vector<OmissionRow> table;
    table.reserve(kColumns);
    for (int c = 0; c < kColumns; ++c) {
        OmissionRow row;
        row.position = c / kColumnsPerPosition;
        row.value = c % kColumnsPerPosition;
        row.attribute = row.value >= 10;
        if (row.attribute)
            row.value -= 10;
        row.chance = row.attribute ? 0.5 : 0.1;
        row.stats = counters[size_t(c)].result(places[size_t(c)], begin, end, first, row.chance);
        row.tailChance = std::pow(1.0 - row.chance, double(row.stats.current));
        table.push_back(row);
    }
    return table;
}

} // namespace quorlent::plan
