#include "Ledger.h"

#include "Record.h"
#include "Significance.h"

#include <algorithm>
#include <limits>

namespace quorlent::plan {

namespace {

Money add(Money a, Money b)
{
    Money sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return b > 0 ? std::numeric_limits<Money>::max() : std::numeric_limits<Money>::min();
    return sum;
}

Money times(Money a, int64_t b)
{
    Money product = 0;
    if (__builtin_mul_overflow(a, b, &product))
        return std::numeric_limits<Money>::max();
    return product;
}

} // namespace

Ledger::Ledger(const std::vector<HistoryRow> &rows, PlanProposals proposals)
    : m_rows(rows), m_proposals(std::move(proposals))
{
    const size_t n = m_proposals.rowCount();
    m_status.assign(n, Status::NoProposal);
    m_wins.assign(n, 0);
    m_prizeAtOne.assign(n, 0);
    m_multiplier.assign(n, 1);
    m_balance.assign(n, 0);
}

std::optional<FieldError> Ledger::setPlay(const Play &play, const PrizeTable &prizes)
{
    if (const FieldErrors errors = prizes.validate(); !errors.empty())
        return errors.front();
    std::vector<BetSet> sets;
    sets.reserve(m_proposals.pool.size());
    for (const Proposal &proposal : m_proposals.pool) {
        BetSetResult made = BetSet::make(proposal, play);
        if (!made.bets)
            return made.error;
        sets.push_back(std::move(*made.bets));
    }
    m_play = &play;
    m_prizes = prizes;
    m_betSets = std::move(sets);
    m_chancePrize.clear();
    m_costAtOne.clear();
    for (const BetSet &set : m_betSets) {
        double expected = 0;
        for (const ChanceOutcome &o : set.chanceOutcomes())
            expected += o.probability * o.wins * double(prizes.prize(o.line));
        m_chancePrize.push_back(expected);
        m_costAtOne.push_back(times(Money(set.count()), prizes.price));
    }

    const uint32_t *byRow = m_proposals.byRow.data();
    const size_t first = m_proposals.begin;
    for (size_t row = 0; row < rowCount(); ++row) {
        const uint32_t index = byRow[row];
        m_wins[row] = 0;
        m_prizeAtOne[row] = 0;
        if (index == PlanProposals::kNone) {
            m_status[row] = Status::NoProposal;
            continue;
        }
        const BetSet &set = m_betSets[index];
        if (set.count() == 0) {
            m_status[row] = Status::NoBet;
            continue;
        }
        const Digits &digits = m_rows[first + row].digits();
        const uint32_t wins = set.wins(digits);
        m_status[row] = wins ? Status::Win : Status::Miss;
        if (wins) {
            m_wins[row] = uint8_t(wins);
            m_prizeAtOne[row] = Money(wins) * prizes.prize(play.lineFor(play.drawValue(digits)));
        }
    }
    settle();
    return std::nullopt;
}

std::optional<FieldError> Ledger::setStaking(const Progression &progression, Money startBalance)
{
    if (const FieldErrors errors = progression.validate(); !errors.empty())
        return errors.front();
    if (startBalance < 0 || startBalance > kLargestAmount)
        return FieldError{QStringLiteral("起始资金"), startBalance < 0
                                                          ? QStringLiteral("起始资金不能为负数")
                                                          : QStringLiteral("起始资金太大")};
    m_progression = progression;
    m_startBalance = startBalance;
    settle();
    return std::nullopt;
}

Ledger::Status Ledger::status(size_t row) const
{
    return m_status[row];
}

const BetSet *Ledger::bets(size_t row) const
{
    const uint32_t index = m_proposals.byRow[row];
    return index == PlanProposals::kNone || m_betSets.empty() ? nullptr : &m_betSets[index];
}

uint64_t Ledger::betCount(size_t row) const
{
    const BetSet *set = bets(row);
    return set ? set->count() : 0;
}

Money Ledger::cost(size_t row) const
{
    const Status s = status(row);
    if (s != Status::Win && s != Status::Miss)
        return 0;
    return times(m_costAtOne[m_proposals.byRow[row]], m_multiplier[row]);
}

Money Ledger::prize(size_t row) const
{
    return times(m_prizeAtOne[row], m_multiplier[row]);
}

const BetSet *Ledger::nextBets() const
{
    return m_proposals.next == PlanProposals::kNone || m_betSets.empty()
               ? nullptr
               : &m_betSets[m_proposals.next];
}

void Ledger::settle()
{
    LedgerSummary s;
    s.rows = int64_t(rowCount());
    s.startBalance = m_startBalance;
    Money balance = m_startBalance;
    Money peak = m_startBalance;
    int64_t peakRow = -1;
    s.lowestBalance = m_startBalance;
    double chanceSum = 0;
    int state = 0;
    int64_t winRun = 0;
    int64_t missRun = 0;

    // The progression as tables: its multiplier and the state after a miss, by state.
    std::vector<int64_t> multipliers;
    std::vector<int> afterMiss;
    for (int st = 0; st < m_progression.stateCount(); ++st) {
        multipliers.push_back(m_progression.multiplier(st));
        afterMiss.push_back(m_progression.afterMiss(st));
    }
    const Status *statuses = m_status.data();
    const uint32_t *byRow = m_proposals.byRow.data();
    for (size_t row = 0; row < rowCount(); ++row) {
        const Status status = statuses[row];
        if (status == Status::NoProposal || status == Status::NoBet) {
            ++(status == Status::NoProposal ? s.noProposal : s.noBet);
            m_multiplier[row] = 0;
            m_balance[row] = balance;
            continue;
        }
        const int64_t m = multipliers[size_t(state)];
        m_multiplier[row] = int32_t(m);
        const uint32_t index = byRow[row];
        const Money cost = times(m_costAtOne[index], m);
        if (s.firstShort < 0 && balance < cost)
            s.firstShort = int64_t(row);
        const Money prize = times(m_prizeAtOne[row], m);
        balance = add(add(balance, -cost), prize);
        m_balance[row] = balance;
        s.totalCost = add(s.totalCost, cost);
        s.totalPrize = add(s.totalPrize, prize);
        s.chancePrize += m_chancePrize[index] * double(m);
        chanceSum += m_betSets[index].hitChance();
        ++s.betDraws;

        if (status == Status::Win) {
            ++s.wins;
            ++winRun;
            missRun = 0;
            if (winRun > s.longestWins) {
                s.longestWins = winRun;
                s.longestWinsEnd = int64_t(row);
            }
            state = Progression::afterWin(state);
        } else {
            ++missRun;
            winRun = 0;
            if (missRun > s.longestMisses) {
                s.longestMisses = missRun;
                s.longestMissesEnd = int64_t(row);
            }
            state = afterMiss[size_t(state)];
        }

        s.lowestBalance = std::min(s.lowestBalance, balance);
        if (balance > peak) {
            peak = balance;
            peakRow = int64_t(row);
        } else if (peak - balance > s.deepestDrawdown) {
            s.deepestDrawdown = peak - balance;
            s.drawdownPeak = peakRow;
            s.drawdownLow = int64_t(row);
        }
    }
    s.currentWins = winRun;
    s.currentMisses = missRun;
    s.finalBalance = balance;

    if (s.betDraws > 0) {
        s.hitRate = double(s.wins) / double(s.betDraws);
        s.chanceHitRate = chanceSum / double(s.betDraws);
        const significance::Interval wilson = significance::wilsonInterval(s.wins, s.betDraws);
        s.wilsonLow = wilson.low;
        s.wilsonHigh = wilson.high;
    }
    // The test and its verdict as the 缩水 records and the outcome chart word them.
    const filter::Record record = filter::Record::of(s.betDraws, s.wins, s.chanceHitRate);
    s.pValue = record.pValue;
    s.verdict = filter::recordVerdict(record);
    m_summary = s;
}

ChanceBets Ledger::chanceBets() const
{
    ChanceBets out;
    for (size_t i = 0; i < m_betSets.size(); ++i) {
        ChanceBet bet;
        bet.costAtOne = times(Money(m_betSets[i].count()), m_prizes.price);
        for (const ChanceOutcome &o : m_betSets[i].chanceOutcomes())
            bet.prizes.emplace_back(Money(o.wins) * m_prizes.prize(o.line), o.probability);
        out.kinds.push_back(std::move(bet));
    }
    for (size_t row = 0; row < rowCount(); ++row) {
        const Status s = status(row);
        if (s == Status::Win || s == Status::Miss)
            out.sequence.push_back(m_proposals.byRow[row]);
    }
    return out;
}

} // namespace quorlent::plan
