#pragma once

#include "HistoryRow.h"

#include <QString>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace quorlent {

// How the result phase counts the hits' own draws.
struct TallyOptions
{
    // 组选 (true): positions 1..position are tallied; 直选 (false): `position` alone.
    bool groupSelection = false;
    int position = 1;               // intConsqSort, 1..5 (taken into that range)
    Kind resultKind = Kind::Number; // 结果类型
    int segmentBase = 1;            // DsIni: which five segment values get a row

    int lastPosition() const;
    int firstPosition() const;

    bool operator==(const TallyOptions &) const = default;
};

// count × 100 / total with three decimals, rounded half up, and "%": "50.000%". "0.000%" when
// the total is 0, so a search without hits shows no share of an earlier one.
QString percentText(int64_t count, int64_t total);

struct TallyEntry
{
    int value = 0;
    int64_t count = 0;
    bool operator==(const TallyEntry &) const = default;
};

// The outcome tally of one search: one entry per outcome value of the result kind, zero counts
// included (号码 0..9; 大小 and 单双 0..1; 段数 base..base+4).
class Tally
{
public:
    // Counts the result-kind values at the tallied positions of every hit's own draw. A value
    // outside the kind's counters is not counted, yet still belongs to the total.
    static Tally count(const std::vector<HistoryRow> &rows, std::span<const uint32_t> hits,
                       const TallyOptions &options);

    Kind kind() const { return m_kind; }
    // Ascending value: the rows table Carcu receives, in this order.
    const std::vector<TallyEntry> &byValue() const { return m_byValue; }
    // Largest count first, equal counts in ascending value: the rows of the tally grid.
    const std::vector<TallyEntry> &ranked() const { return m_ranked; }
    // Tallied values: hits times tallied positions. 0 without hits.
    int64_t total() const { return m_total; }

    // For HistoryDb::writeTally.
    std::vector<std::pair<int, int64_t>> carcuRows() const;

    // "结果" of a value: 小/大 for 大小, 双/单 for 单双, the number otherwise.
    QString label(int value) const { return outcomeLabel(m_kind, value); }
    // "百分比" of a count: its share of the total, "0.000%" when nothing was tallied.
    QString percentText(int64_t count) const { return quorlent::percentText(count, m_total); }

    static QString outcomeLabel(Kind kind, int value);

    // The outcome values that get a row, ascending: 号码 0..9, 大小 and 单双 0..1, 段数 the five
    // values from the segment base.
    static std::vector<int> outcomeValues(Kind kind, int segmentBase);
    // Which of the counts (one per outcome value, ascending) the ranking puts first: the largest,
    // the smallest value among equal ones. Needs at least one count.
    static size_t leadingIndex(std::span<const int64_t> countsByValue);

private:
    Kind m_kind = Kind::Number;
    std::vector<TallyEntry> m_byValue;
    std::vector<TallyEntry> m_ranked;
    int64_t m_total = 0;
};

} // namespace quorlent
