#include "RuinChance.h"

#include <algorithm>
#include <limits>

namespace quorlent::plan {

namespace {

using State = std::pair<Money, double>; // balance, probability
using States = std::vector<State>;      // ascending balance, each once

Money saturatingAdd(Money a, Money b)
{
    Money sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return b > 0 ? std::numeric_limits<Money>::max() : std::numeric_limits<Money>::min();
    return sum;
}

Money saturatingMul(Money a, Money b)
{
    Money product = 0;
    if (__builtin_mul_overflow(a, b, &product))
        return std::numeric_limits<Money>::max();
    return product;
}

// Adds `from`, shifted by `shift` and weighted by `weight`, into `into` (both ascending).
void mergeInto(States &into, const States &from, Money shift, double weight, States &scratch)
{
    scratch.clear();
    scratch.reserve(into.size() + from.size());
    size_t i = 0;
    for (const State &s : from) {
        const Money balance = s.first + shift;
        const double p = s.second * weight;
        while (i < into.size() && into[i].first < balance)
            scratch.push_back(into[i++]);
        if (i < into.size() && into[i].first == balance)
            scratch.emplace_back(balance, into[i++].second + p);
        else
            scratch.emplace_back(balance, p);
    }
    scratch.insert(scratch.end(), into.begin() + ptrdiff_t(i), into.end());
    into.swap(scratch);
}

// Never "100%" for what is only nearly certain, nor "0%" for what is only unlikely.
QString percentText(double probability)
{
    const double percent = probability * 100;
    if (probability < 1 && percent >= 99.95)
        return QStringLiteral("> 99.9%");
    if (probability > 0 && percent < 0.05)
        return percent < 0.0001 ? QStringLiteral("< 0.0001%")
                                : QStringLiteral("%1%").arg(percent, 0, 'f', 4);
    return QStringLiteral("%1%").arg(percent, 0, 'f', 1);
}

} // namespace

QString RuinChance::text() const
{
    switch (status) {
    case Status::Exact:
        return QStringLiteral("随机情况下在范围内资金耗尽的概率 %1").arg(percentText(probability));
    case Status::TooMuchWork:
        if (draws == 0)
            return QStringLiteral("范围太长、可能的余额太多，无法在限定时间内精确算出资金耗尽的"
                                  "概率；请缩短范围");
        // What the draws followed already say holds for the whole range, which only adds draws.
        return QStringLiteral("范围太长、可能的余额太多，无法在限定时间内精确算完资金耗尽的概率："
                              "随机情况下只在前 %1 期（有投注的）内耗尽的概率已是 %2，整个范围"
                              "只会更高；缩短范围可得精确值")
            .arg(draws)
            .arg(percentText(probability));
    case Status::Cancelled:
        return QStringLiteral("资金耗尽的概率未算完（已取消）");
    }
    return {};
}

RuinChance ruinChance(const ChanceBets &bets, const Progression &progression, Money startBalance,
                      uint64_t workLimit, const std::atomic<bool> *cancel)
{
    RuinChance result;
    const int stateCount = progression.stateCount();
    int64_t largest = 0;
    for (int s = 0; s < stateCount; ++s)
        largest = std::max(largest, progression.multiplier(s));

    // What the dearest bets of the draws from each one on cost together.
    const size_t n = bets.sequence.size();
    std::vector<Money> dearestAfter(n + 1, 0);
    for (size_t i = n; i-- > 0;)
        dearestAfter[i] = saturatingAdd(
            dearestAfter[i + 1], saturatingMul(bets.kinds[bets.sequence[i]].costAtOne, largest));

    std::vector<States> states(static_cast<size_t>(stateCount));
    std::vector<States> next(states.size());
    States scratch, moved;
    states[0].push_back({startBalance, 1.0});
    double ruined = 0;

    for (size_t i = 0; i < n; ++i) {
        const double ruinedBefore = ruined;
        if (cancel && cancel->load(std::memory_order_relaxed)) {
            result.status = RuinChance::Status::Cancelled;
            return result;
        }
        const ChanceBet &bet = bets.kinds[bets.sequence[i]];
        double winning = 0;
        for (const auto &prize : bet.prizes)
            winning += prize.second;
        const double missing = std::max(0.0, 1.0 - winning);
        for (States &s : next)
            s.clear();
        bool any = false;
        for (int s = 0; s < stateCount; ++s) {
            States &here = states[size_t(s)];
            if (here.empty())
                continue;
            result.work += here.size();
            if (result.work > workLimit) {
                result.status = RuinChance::Status::TooMuchWork;
                result.draws = i;
                result.probability = std::min(1.0, ruinedBefore);
                return result;
            }
            const int64_t m = progression.multiplier(s);
            const Money cost = bet.costAtOne * m;
            // Balances below the cost run out here; the rest pay it. Balances that can pay every
            // remaining draw at its dearest are safe from here on and leave the programme.
            moved.clear();
            for (const State &st : here) {
                if (st.first < cost)
                    ruined += st.second;
                else if (st.first < dearestAfter[i])
                    moved.emplace_back(st.first - cost, st.second);
            }
            if (moved.empty())
                continue;
            any = true;
            for (const auto &[prize, p] : bet.prizes)
                mergeInto(next[0], moved, prize * m, p, scratch);
            if (missing > 0)
                mergeInto(next[size_t(progression.afterMiss(s))], moved, 0, missing, scratch);
        }
        states.swap(next);
        if (!any)
            break;
    }
    result.probability = std::min(1.0, ruined);
    return result;
}

} // namespace quorlent::plan
