#pragma once

#include "HistoryRow.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace quorlent::plan {

// What a 长龙 is a run of: draws in a row with the same 大/小, 单/双, 质/合, or the same digit.
enum class RunTrait : uint8_t
{
    BigSmall,       // 大 5-9 / 小 0-4; 和值 大 23-45 / 小 0-22
    OddEven,        // 单 / 双
    PrimeComposite, // 质 1 2 3 5 7 / 合 0 4 6 8 9; 和值 质 1 and the primes / 合 the rest
    Repeat          // the same digit (positions only)
};

// The positions 0-4 and, after them, 和值.
inline constexpr int kSumSubject = kPositions;
inline constexpr int kRunSubjects = kPositions + 1;

// One 长龙: where, of what, its value, and how it stands against the history and chance.
struct LongRun
{
    int subject = 0; // position 0-4, or kSumSubject
    RunTrait trait = RunTrait::BigSmall;
    int value = 0;       // 1 大/单/质, 0 小/双/合; the digit for a repeat
    int64_t length = 0;  // the run at the newest draw
    int64_t longest = 0; // the longest run of this trait, of either value, in the history
    // The chance that a history of this many draws holds a run of this trait (of any value) at
    // least `length` long somewhere, every digit being equally likely and independent.
    double chance = 0;

    QString subjectName() const; // "万位", "和值"
    QString traitName() const;   // "大小", "单双", "质合", "重号"
    QString valueName() const;   // "大", "单", "质", "7"
    bool operator==(const LongRun &) const = default;
};

// The trait's value of a draw, and the chance of each value (in value order: 0, 1, … 9).
int traitValue(const Digits &digits, int subject, RunTrait trait);
std::vector<double> traitChances(int subject, RunTrait trait);
// The traits a subject has runs of: four for a position, three for 和值.
std::vector<RunTrait> traitsOf(int subject);

// Every current run of at least `minLength` draws (at least 1) at the newest draw of `rows`, by
// subject and trait, each with its longest run in the history and its chance.
std::vector<LongRun> longRuns(const std::vector<HistoryRow> &rows, int64_t minLength);

} // namespace quorlent::plan
