#pragma once

#include "NumberTable.h"

#include <QString>

#include <cstdint>
#include <iterator>
#include <optional>

namespace quorlent::filter {

// The kinds of condition, in the order the window offers them. Each has its row in kKinds below,
// which everything else reads: adding a kind is adding its name here and its row there.
enum class ConditionKind : uint8_t
{
    Position,       // 定位: allowed digits at each position of the part
    Bankers,        // 胆码: at least / exactly k of the digits D appear
    Kill,           // 杀号: digits that never appear, in the part or at one of its positions
    Sum,            // 和值
    SumTail,        // 和尾: the sum's last digit
    Span,           // 跨度: largest digit less smallest
    BigSmall,       // 大小比: 大 5-9 : 小 0-4
    OddEven,        // 单双比: 单 odd : 双 even
    PrimeComposite, // 质合比: 质 1 2 3 5 7 : 合 0 4 6 8 9
    Mod3,           // 012路: digits ≡ 0 : ≡ 1 : ≡ 2 (mod 3)
    Shape,          // 形态
    Consecutive,    // 连号: the longest run of consecutive digits
    Repeat,         // 重号: digits repeated from the newest draw
    Cold,           // 冷号: digits whose omission is at least the threshold
    Hot             // 热号: digits whose omission is at most the threshold
};

// Which fields of a Condition a kind reads, and so how it is checked, saved, shown and edited.
enum class KindForm : uint8_t
{
    Positions, // 定位: the allowed digits of each position
    Bankers,   // 胆码: digits, 至少/恰好 and a count
    Kill,      // 杀号: digits and a position (0: the whole part)
    Values,    // a list of values of the kind's measure: "10-14, 20"
    Ratios,    // a list of ratios: "2:3, 3:2"; the measure is the ratio's bit (see readRatios)
    Shapes,    // a set of shapes; the measure is the number's shape
    Omission,  // 冷号 热号: a threshold, where omissions count, and a list of counts
};

// The values a list of the kind may hold in a part of `digits` digits: low … fixed +
// perDigit·digits.
struct ValueRange
{
    int low = 0;
    int fixed = 0;
    int perDigit = 0;

    constexpr int high(int digits) const { return fixed + perDigit * digits; }
};

// What the list of a kind is checked against, for number n of the part's table.
using Measure = int (*)(const NumberTable &numbers, uint32_t n);

struct KindInfo
{
    ConditionKind kind;
    const char *name;        // UTF-8: "和值"
    const char *id;          // in saved sets: "sum"
    const char *description; // UTF-8: what the kind means, in a line
    KindForm form;
    ValueRange range; // Values and Omission (the counts): what a list may hold
    int ratioTerms;   // Ratios: 2 (a:b) or 3 (a:b:c)
    // UTF-8, under the list in the editor: %n stands for the largest value (Values, Omission) or
    // the part's digit count (Ratios), %r for the ratios the part can have.
    const char *hint;
    bool readsEarlierDraws; // judged against the draws before the one it judges
    // Values, Ratios and Shapes that read no earlier draw; null for the others.
    Measure measure;
    // Omission: how the threshold is compared ("≥", "≤"), its label, a new row's threshold.
    const char *comparison;
    const char *thresholdLabel;
    int threshold;
    // A list the kind can hold in any part, for the empty box: "如 3-5, 8". Ratios write "%e":
    // the example is worked out for the part's digit count (see valuesExample).
    const char *example = nullptr;
};

// clang-format off
inline constexpr KindInfo kKinds[] = {
    {ConditionKind::Position, "定位", "position", "定位：每一位只允许选中的数字。",
     KindForm::Positions, {}, 0, nullptr, false, nullptr, nullptr, nullptr, 0},
    {ConditionKind::Bankers, "胆码", "bankers",
     "胆码：选中的数字里至少（或恰好）有几个在号码中出现；一个数字出现几次都只算一个。",
     KindForm::Bankers, {}, 0, nullptr, false, nullptr, nullptr, nullptr, 0},
    {ConditionKind::Kill, "杀号", "kill", "杀号：选中的数字不出现，在整个号码里或只在某一位上。",
     KindForm::Kill, {}, 0, nullptr, false, nullptr, nullptr, nullptr, 0},
    {ConditionKind::Sum, "和值", "sum", "和值：各位数字相加。",
     KindForm::Values, {0, 0, 9}, 0, "可能的和值 0–%n；写成如 10-14, 20", false,
     [](const NumberTable &t, uint32_t n) { return t.sum(n); }, nullptr, nullptr, 0, "8-12, 15"},
    {ConditionKind::SumTail, "和尾", "sum-tail", "和尾：和值的个位数。",
     KindForm::Values, {0, 9, 0}, 0, "可能的值 0–9；写成如 3-5, 8", false,
     [](const NumberTable &t, uint32_t n) { return t.sum(n) % 10; }, nullptr, nullptr, 0, "3-5, 8"},
    {ConditionKind::Span, "跨度", "span", "跨度：最大的数字减最小的数字。",
     KindForm::Values, {0, 9, 0}, 0, "可能的值 0–9；写成如 3-5, 8", false,
     [](const NumberTable &t, uint32_t n) { return t.span(n); }, nullptr, nullptr, 0, "3-5, 8"},
    {ConditionKind::BigSmall, "大小比", "big-small", "大小比：大（5–9）的个数 : 小（0–4）的个数。",
     KindForm::Ratios, {}, 2, "可能的比 %r；用逗号分开", false,
     [](const NumberTable &t, uint32_t n) { return t.big(n); }, nullptr, nullptr, 0, "%e"},
    {ConditionKind::OddEven, "单双比", "odd-even",
     "单双比：单（1 3 5 7 9）的个数 : 双（0 2 4 6 8）的个数。",
     KindForm::Ratios, {}, 2, "可能的比 %r；用逗号分开", false,
     [](const NumberTable &t, uint32_t n) { return t.odd(n); }, nullptr, nullptr, 0, "%e"},
    {ConditionKind::PrimeComposite, "质合比", "prime-composite",
     "质合比：质（1 2 3 5 7）的个数 : 合（0 4 6 8 9）的个数。",
     KindForm::Ratios, {}, 2, "可能的比 %r；用逗号分开", false,
     [](const NumberTable &t, uint32_t n) { return t.prime(n); }, nullptr, nullptr, 0, "%e"},
    {ConditionKind::Mod3, "012路", "mod3",
     "012路：除以 3 余 0（0 3 6 9）、余 1（1 4 7）、余 2（2 5 8）的个数之比。",
     KindForm::Ratios, {}, 3, "三项之和为 %n，写成如 2:2:1, 3:1:1", false,
     [](const NumberTable &t, uint32_t n) { return t.mod3(n); }, nullptr, nullptr, 0, "%e"},
    {ConditionKind::Shape, "形态", "shape", "形态：号码里的数字怎样重复。",
     KindForm::Shapes, {}, 0, nullptr, false,
     [](const NumberTable &t, uint32_t n) { return int(t.shape(n)); }, nullptr, nullptr, 0},
    {ConditionKind::Consecutive, "连号", "consecutive",
     "连号：号码里不同的数字中最长的一串相连数字有几个（9 和 0 不相连）。",
     KindForm::Values, {1, 0, 1}, 0, "可能的值 1–%n（1 表示没有相连的数字）", false,
     [](const NumberTable &t, uint32_t n) { return t.run(n); }, nullptr, nullptr, 0, "1-2"},
    {ConditionKind::Repeat, "重号", "repeat",
     "重号：和最新一期同一部分相同的数字个数（重复的数字按次数算）。",
     KindForm::Values, {0, 0, 1}, 0, "可能的值 0–%n；写成如 0-1", true, nullptr, nullptr, nullptr, 0, "0-1"},
    {ConditionKind::Cold, "冷号", "cold", "冷号：遗漏不少于设定期数的数字；数号码里有几位是冷号。",
     KindForm::Omission, {0, 0, 1}, 0, "号码里冷号所在的位数，可能的值 0–%n；写成如 0-1", true,
     nullptr, "≥", "遗漏不少于", 10, "0-1"},
    {ConditionKind::Hot, "热号", "hot", "热号：遗漏不超过设定期数的数字；数号码里有几位是热号。",
     KindForm::Omission, {0, 0, 1}, 0, "号码里热号所在的位数，可能的值 0–%n；写成如 0-1", true,
     nullptr, "≤", "遗漏不超过", 3, "0-1"},
};
// clang-format on

inline constexpr int kConditionKinds = int(std::size(kKinds));

// The rows are in the order of the kinds: a kind is its row's index.
constexpr bool rowsInKindOrder()
{
    for (int i = 0; i < kConditionKinds; ++i) {
        if (kKinds[i].kind != ConditionKind(i))
            return false;
    }
    return true;
}
static_assert(rowsInKindOrder(), "kKinds lists the kinds in the order of ConditionKind");

constexpr const KindInfo &kindInfo(ConditionKind kind)
{
    return kKinds[static_cast<size_t>(kind)];
}

constexpr KindForm formOf(ConditionKind kind)
{
    return kindInfo(kind).form;
}

// "定位", "胆码", …
QString kindName(ConditionKind kind);
// What the kind means, in a line.
QString kindDescription(ConditionKind kind);
// A stable ASCII name for saved condition sets: "position", "bankers", …
const char *kindId(ConditionKind kind);
std::optional<ConditionKind> kindFromId(const QString &id);

// Whether the kind reads the draws before the one it judges (重号, 冷号, 热号).
bool dependsOnEarlierDraws(ConditionKind kind);

// What a list of the kind may hold in a part of `digits` digits, for under the list; empty for
// the kinds without a list.
QString valuesHint(ConditionKind kind, int digits);

// A list the kind can hold in a part of `digits` digits ("3-5, 8", "3:2, 2:3"); empty for the
// kinds without a list.
QString valuesExample(ConditionKind kind, int digits);

} // namespace quorlent::filter
