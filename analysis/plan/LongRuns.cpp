#include "LongRuns.h"

#include "RunChance.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace quorlent::plan {

namespace {

constexpr int kSumBig = 23; // 和值 23-45 is 大: half the draws
constexpr uint16_t kPrimeDigits = (1 << 1) | (1 << 2) | (1 << 3) | (1 << 5) | (1 << 7);

bool primeSum(int s)
{
    if (s == 1)
        return true; // as 1 is a 质 digit
    if (s < 2)
        return false;
    for (int d = 2; d * d <= s; ++d) {
        if (s % d == 0)
            return false;
    }
    return true;
}

// How many of the 100,000 draws have each sum.
const std::array<int, 46> &sumWays()
{
    static const std::array<int, 46> ways = [] {
        std::array<int, 46> w{};
        w[0] = 1;
        for (int p = 0; p < kPositions; ++p) {
            std::array<int, 46> n{};
            for (int s = 0; s < 46; ++s) {
                for (int d = 0; d <= 9 && s + d < 46; ++d)
                    n[size_t(s + d)] += w[size_t(s)];
            }
            w = n;
        }
        return w;
    }();
    return ways;
}

} // namespace

int traitValue(const Digits &digits, int subject, RunTrait trait)
{
    if (subject == kSumSubject) {
        const int s = std::accumulate(digits.begin(), digits.end(), 0);
        switch (trait) {
        case RunTrait::BigSmall:
            return s >= kSumBig;
        case RunTrait::OddEven:
            return s % 2;
        case RunTrait::PrimeComposite:
            return primeSum(s);
        case RunTrait::Repeat:
            return s;
        }
        return 0;
    }
    const int d = digits[size_t(subject)];
    switch (trait) {
    case RunTrait::BigSmall:
        return d >= 5;
    case RunTrait::OddEven:
        return d % 2;
    case RunTrait::PrimeComposite:
        return (kPrimeDigits >> d) & 1;
    case RunTrait::Repeat:
        return d;
    }
    return 0;
}

std::vector<double> traitChances(int subject, RunTrait trait)
{
    if (trait == RunTrait::Repeat)
        return std::vector<double>(10, 0.1);
    if (subject == kSumSubject && trait == RunTrait::PrimeComposite) {
        double prime = 0;
        for (int s = 0; s < 46; ++s) {
            if (primeSum(s))
                prime += sumWays()[size_t(s)] / 100000.0;
        }
        return {1.0 - prime, prime};
    }
    return {0.5, 0.5};
}

std::vector<RunTrait> traitsOf(int subject)
{
    if (subject == kSumSubject)
        return {RunTrait::BigSmall, RunTrait::OddEven, RunTrait::PrimeComposite};
    return {RunTrait::BigSmall, RunTrait::OddEven, RunTrait::PrimeComposite, RunTrait::Repeat};
}

QString LongRun::subjectName() const
{
    static const char16_t *const names[] = {u"万位", u"千位", u"百位", u"十位", u"个位", u"和值"};
    return QString::fromUtf16(names[subject]);
}

QString LongRun::traitName() const
{
    static const char16_t *const names[] = {u"大小", u"单双", u"质合", u"重号"};
    return QString::fromUtf16(names[int(trait)]);
}

QString LongRun::valueName() const
{
    switch (trait) {
    case RunTrait::BigSmall:
        return value ? QStringLiteral("大") : QStringLiteral("小");
    case RunTrait::OddEven:
        return value ? QStringLiteral("单") : QStringLiteral("双");
    case RunTrait::PrimeComposite:
        return value ? QStringLiteral("质") : QStringLiteral("合");
    case RunTrait::Repeat:
        break;
    }
    return QString::number(value);
}

std::vector<LongRun> longRuns(const std::vector<HistoryRow> &rows, int64_t minLength)
{
    std::vector<LongRun> out;
    if (rows.empty())
        return out;
    minLength = std::max<int64_t>(minLength, 1);
    const auto n = int64_t(rows.size());
    // The run at the newest draw first: most traits are not listed, and need no more.
    for (int subject = 0; subject < kRunSubjects; ++subject) {
        for (RunTrait trait : traitsOf(subject)) {
            const int newest = traitValue(rows.back().digits(), subject, trait);
            int64_t length = 1;
            while (length < n &&
                   traitValue(rows[size_t(n - 1 - length)].digits(), subject, trait) == newest)
                ++length;
            if (length < minLength)
                continue;
            LongRun r;
            r.subject = subject;
            r.trait = trait;
            r.value = newest;
            r.length = length;
            out.push_back(r);
        }
    }
    // The longest run of each listed trait, in one walk over the history: each trait's value
    // read from a table by the digit at its position, or by the sum.
    std::vector<std::array<int8_t, 46>> values(out.size());
    for (size_t i = 0; i < out.size(); ++i) {
        for (int x = 0; x < 46; ++x) {
            Digits d{};
            if (out[i].subject == kSumSubject) {
                for (int p = 0; p < kPositions; ++p)
                    d[size_t(p)] = uint8_t(std::clamp(x - 9 * p, 0, 9));
            } else if (x < 10) {
                d[size_t(out[i].subject)] = uint8_t(x);
            }
            values[i][size_t(x)] = int8_t(traitValue(d, out[i].subject, out[i].trait));
        }
    }
    // At most 23 traits: their state in arrays of their own, so the walk stays in registers and
    // the first cache lines.
    constexpr size_t kMost = kPositions * 4 + 3;
    const size_t listed = out.size();
    std::array<uint8_t, kMost> subjectOf{};
    std::array<int32_t, kMost> run{};
    std::array<int32_t, kMost> longest{};
    std::array<int8_t, kMost> previous{};
    for (size_t i = 0; i < listed; ++i) {
        subjectOf[i] = uint8_t(out[i].subject);
        previous[i] = -1;
    }
    std::array<uint8_t, kRunSubjects> subjectValue{};
    for (const HistoryRow &row : rows) {
        const Digits &d = row.digits();
        for (int p = 0; p < kPositions; ++p)
            subjectValue[size_t(p)] = d[size_t(p)];
        subjectValue[kSumSubject] = uint8_t(d[0] + d[1] + d[2] + d[3] + d[4]);
        for (size_t i = 0; i < listed; ++i) {
            const int8_t v = values[i][subjectValue[subjectOf[i]]];
            // Without a branch: a run goes on or starts again about every other draw, which no
            // branch predictor guesses.
            const int32_t same = -int32_t(v == previous[i]);
            run[i] = (run[i] & same) + 1;
            previous[i] = v;
            longest[i] = std::max(longest[i], run[i]);
        }
    }
    for (size_t i = 0; i < listed; ++i)
        out[i].longest = longest[i];
    for (LongRun &r : out)
        r.chance = runChance(traitChances(r.subject, r.trait), r.length, n);
    return out;
}

} // namespace quorlent::plan
