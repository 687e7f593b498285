#include "FilterNaive.h"

#include <QStringList>

#include <algorithm>
#include <map>
#include <set>

namespace quorlent::filter::testing {

namespace {

int randomInt(std::mt19937 &rng, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(rng);
}

// A random non-empty subset of [low, high].
std::set<int> randomValues(std::mt19937 &rng, int low, int high)
{
    std::set<int> out;
    const double keep = std::uniform_real_distribution<double>(0.2, 0.8)(rng);
    for (int v = low; v <= high; ++v) {
        if (std::bernoulli_distribution(keep)(rng))
            out.insert(v);
    }
    if (out.empty())
        out.insert(randomInt(rng, low, high));
    return out;
}

// The values as a user might type them: runs as ranges, with mixed separators.
QString valuesText(const std::set<int> &values, std::mt19937 &rng)
{
    static const char16_t *separators[] = {u", ", u" ", u"，", u"、", u","};
    static const char16_t *dashes[] = {u"-", u" - ", u"~", u"－"};
    QString text;
    for (auto it = values.begin(); it != values.end();) {
        int last = *it;
        auto next = std::next(it);
        while (next != values.end() && *next == last + 1 && randomInt(rng, 0, 3) > 0)
            last = *next++;
        if (!text.isEmpty())
            text += QString::fromUtf16(separators[randomInt(rng, 0, 4)]);
        text += QString::number(*it);
        if (last != *it)
            text += QString::fromUtf16(dashes[randomInt(rng, 0, 3)]) + QString::number(last);
        it = next;
    }
    return text;
}

bool has(const std::set<int> &s, int v)
{
    return s.count(v) > 0;
}

DigitSet randomDigits(std::mt19937 &rng, int low = 1, int high = 4)
{
    std::vector<int> all{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    std::shuffle(all.begin(), all.end(), rng);
    DigitSet set;
    for (int i = 0, n = randomInt(rng, low, high); i < n; ++i)
        set.insert(all[size_t(i)]);
    return set;
}

// The form of the digits by their sorted repeat counts.
QString shapeOf(std::vector<int> digits)
{
    std::map<int, int> counts;
    for (int d : digits)
        ++counts[d];
    std::vector<int> c;
    for (auto [d, n] : counts)
        c.push_back(n);
    std::sort(c.rbegin(), c.rend());
    QString pattern;
    for (int n : c)
        pattern += QString::number(n);
    static const std::map<QString, const char *> names{
        {"11111", "组选120"}, {"2111", "组选60"}, {"221", "组选30"}, {"311", "组选20"},
        {"32", "组选10"},     {"41", "组选5"},    {"5", "豹子"},     {"1111", "组选24"},
        {"211", "组选12"},    {"22", "组选6"},    {"31", "组选4"},   {"4", "豹子"},
        {"111", "组六"},      {"21", "组三"},     {"3", "豹子"},     {"11", "非对子"},
        {"2", "对子"}};
    return QString::fromUtf8(names.at(pattern));
}

// Ratios a:b (or a:b:c) summing to k as text, and the set of them.
std::pair<QString, std::set<std::vector<int>>> randomRatios(int terms, int k, std::mt19937 &rng)
{
    std::vector<std::vector<int>> all;
    for (int a = 0; a <= k; ++a) {
        if (terms == 2)
            all.push_back({a, k - a});
        for (int b = 0; terms == 3 && a + b <= k; ++b)
            all.push_back({a, b, k - a - b});
    }
    std::set<std::vector<int>> chosen;
    QString text;
    for (int i : randomValues(rng, 0, int(all.size()) - 1)) {
        chosen.insert(all[size_t(i)]);
        QStringList parts;
        for (int v : all[size_t(i)])
            parts << QString::number(v);
        text += (text.isEmpty() ? "" : ", ") + parts.join(randomInt(rng, 0, 1) ? ":" : "：");
    }
    return {text, chosen};
}

} // namespace

std::vector<int> digitsOf(uint32_t value, FilterPart part)
{
    std::vector<int> d(size_t(digitCount(part)));
    for (size_t i = d.size(); i-- > 0; value /= 10)
        d[i] = int(value % 10);
    return d;
}

Before beforeDraw(const std::vector<HistoryRow> &rows, size_t t, FilterPart part)
{
    Before b;
    const int first = firstPosition(part);
    for (int d = 0; d <= 9; ++d) {
        for (int p = 0; p < 5; ++p) {
            int64_t j = int64_t(t) - 1;
            while (j >= 0 && rows[size_t(j)].digits()[size_t(p)] != d)
                --j;
            b.atPosition[size_t(p)][size_t(d)] = int64_t(t) - 1 - j;
        }
        int64_t j = int64_t(t) - 1;
        auto shows = [&](int64_t draw) {
            for (int p = first; p < first + digitCount(part); ++p) {
                if (rows[size_t(draw)].digits()[size_t(p)] == d)
                    return true;
            }
            return false;
        };
        while (j >= 0 && !shows(j))
            --j;
        b.inPart[size_t(d)] = int64_t(t) - 1 - j;
    }
    if (t > 0)
        b.previous = digitsOf(partValue(part, rows[t - 1].digits()), part);
    return b;
}

NaiveCondition randomCondition(ConditionKind kind, FilterPart part, Selection selection,
                               std::mt19937 &rng)
{
    const int k = digitCount(part);
    const int first = firstPosition(part);
    NaiveCondition out;
    Condition &c = out.condition;
    c.kind = kind;
    auto valuesIn = [&](int low, int high) {
        const std::set<int> values = randomValues(rng, low, high);
        c.values = valuesText(values, rng);
        return values;
    };
    switch (kind) {
    case ConditionKind::Position: {
        for (int i = 0; i < k; ++i)
            c.positions[size_t(i)] = randomDigits(rng, 3, 9);
        const auto positions = c.positions;
        out.passes = [positions](const std::vector<int> &x, const Before &) {
            for (size_t i = 0; i < x.size(); ++i) {
                if (!positions[i].contains(x[i]))
                    return false;
            }
            return true;
        };
        break;
    }
    case ConditionKind::Bankers: {
        c.digits = randomDigits(rng);
        c.count = randomInt(rng, 0, std::min(c.digits.size(), k));
        c.rule = randomInt(rng, 0, 1) ? BankerRule::AtLeast : BankerRule::Exactly;
        out.passes = [c](const std::vector<int> &x, const Before &) {
            int shown = 0;
            for (int d = 0; d <= 9; ++d)
                shown += c.digits.contains(d) && std::count(x.begin(), x.end(), d) > 0;
            return c.rule == BankerRule::AtLeast ? shown >= c.count : shown == c.count;
        };
        break;
    }
    case ConditionKind::Kill:
        c.digits = randomDigits(rng, 1, 3);
        c.position = selection == Selection::Group ? 0 : randomInt(rng, 0, k);
        out.passes = [c](const std::vector<int> &x, const Before &) {
            for (size_t i = 0; i < x.size(); ++i) {
                if (c.digits.contains(x[i]) && (c.position == 0 || size_t(c.position) == i + 1))
                    return false;
            }
            return true;
        };
        break;
    case ConditionKind::Sum:
    case ConditionKind::SumTail:
    case ConditionKind::Span: {
        const auto values = valuesIn(0, kind == ConditionKind::Sum ? 9 * k : 9);
        out.passes = [values, kind](const std::vector<int> &x, const Before &) {
            int sum = 0;
            for (int d : x)
                sum += d;
            const auto [low, high] = std::minmax_element(x.begin(), x.end());
            return has(values, kind == ConditionKind::Sum       ? sum
                               : kind == ConditionKind::SumTail ? sum % 10
                                                                : *high - *low);
        };
        break;
    }
    case ConditionKind::BigSmall:
    case ConditionKind::OddEven:
    case ConditionKind::PrimeComposite:
    case ConditionKind::Mod3: {
        const auto [text, ratios] = randomRatios(kind == ConditionKind::Mod3 ? 3 : 2, k, rng);
        c.values = text;
        out.passes = [ratios, kind](const std::vector<int> &x, const Before &) {
            std::vector<int> terms(kind == ConditionKind::Mod3 ? 3 : 2, 0);
            for (int d : x) {
                if (kind == ConditionKind::BigSmall)
                    ++terms[d >= 5 ? 0 : 1];
                else if (kind == ConditionKind::OddEven)
                    ++terms[d % 2 ? 0 : 1];
                else if (kind == ConditionKind::PrimeComposite)
                    ++terms[d == 1 || d == 2 || d == 3 || d == 5 || d == 7 ? 0 : 1];
                else
                    ++terms[size_t(d % 3)];
            }
            return ratios.count(terms) > 0;
        };
        break;
    }
    case ConditionKind::Shape: {
        std::set<QString> names;
        const auto shapes = shapesFor(k);
        for (int i : randomValues(rng, 0, int(shapes.size()) - 1)) {
            c.shapes |= shapeBit(shapes[size_t(i)]);
            names.insert(shapeName(shapes[size_t(i)]));
        }
        out.passes = [names](const std::vector<int> &x, const Before &) {
            return names.count(shapeOf(x)) > 0;
        };
        break;
    }
    case ConditionKind::Consecutive: {
        const auto values = valuesIn(1, k);
        out.passes = [values](const std::vector<int> &x, const Before &) {
            int longest = 0;
            for (int a = 0; a <= 9; ++a) {
                int run = 0;
                while (a + run <= 9 && std::count(x.begin(), x.end(), a + run) > 0)
                    ++run;
                longest = std::max(longest, run);
            }
            return has(values, longest);
        };
        break;
    }
    case ConditionKind::Repeat: {
        const auto values = valuesIn(0, k);
        out.passes = [values](const std::vector<int> &x, const Before &b) {
            std::vector<int> rest = b.previous;
            int common = 0;
            for (int d : x) {
                const auto at = std::find(rest.begin(), rest.end(), d);
                if (at != rest.end()) {
                    ++common;
                    rest.erase(at);
                }
            }
            return has(values, common);
        };
        break;
    }
    case ConditionKind::Cold:
    case ConditionKind::Hot: {
        c.threshold = randomInt(rng, 0, 1) ? randomInt(rng, 0, 3) : randomInt(rng, 4, 25);
        c.atPositions = selection == Selection::Direct && randomInt(rng, 0, 1) == 1;
        const auto values = valuesIn(0, k);
        const bool hot = kind == ConditionKind::Hot;
        out.passes = [values, hot, c, first](const std::vector<int> &x, const Before &b) {
            int marked = 0;
            for (size_t i = 0; i < x.size(); ++i) {
                const int64_t omission = c.atPositions
                                             ? b.atPosition[size_t(first) + i][size_t(x[i])]
                                             : b.inPart[size_t(x[i])];
                marked += hot ? omission <= c.threshold : omission >= c.threshold;
            }
            return has(values, marked);
        };
        break;
    }
    }
    return out;
}

std::vector<HistoryRow> randomRows(size_t draws, std::mt19937 &rng)
{
    std::vector<HistoryRow> rows(draws);
    for (size_t t = 0; t < draws; ++t) {
        Digits d{};
        for (uint8_t &x : d)
            x = uint8_t(randomInt(rng, 0, 9));
        rows[t].sqqh = int32_t(t + 1);
        rows[t].own = DrawCodes::fromDigits(d, 1);
    }
    return rows;
}

} // namespace quorlent::filter::testing
