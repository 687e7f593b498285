#pragma once

#include "FieldError.h"
#include "Play.h"
#include "Proposal.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace quorlent::plan {

// One way a draw can win under chance: `wins` bets on `line` win, with this probability.
struct ChanceOutcome
{
    PrizeLine line = PrizeLine::FiveDirect;
    uint8_t wins = 1;
    double probability = 0;
};

struct BetSetResult;

// How the numbers of a part read as bets of one play, worked out once so that the bets of many
// proposals of that part are made in turn by words, without reading digits (BetSet::assign).
struct NumberReading
{
    const Play *play = nullptr;
    int first = 0; // the part
    int count = 0;
    // The play's numbers are the part's, bet for bet (直选 of the same positions).
    bool same = false;
    // For each bet in ascending order (定位胆, 大小单双: each digit at the play's position), the
    // numbers of the part that make it, as words of the part's bits: the bet is made when a
    // proposal holds any of them. Numbers the play sells nothing of (a 组选 豹子) make none.
    struct Piece
    {
        uint32_t word;
        uint64_t bits;
    };
    std::vector<uint32_t> bets;
    std::vector<uint32_t> firstPiece; // by bet, and one past the last
    std::vector<Piece> pieces;
    // 组选: each bet wins on as many draws as its digits have orderings, and every bet of a
    // prize line has as many (三星组选: 3 on the 组三 line, 6 on the 组六 line). By line, its
    // bets and the chance of k of them winning added up bet by bet, as finish() adds it.
    struct LineSums
    {
        PrizeLine line;
        std::vector<uint64_t> bets;
        std::vector<double> sums; // by k
    };
    std::vector<LineSums> lineSums;

    // None where the play reads positions outside the part. With `among` (a bit per number of
    // the part), only the numbers among those are read: proposals holding no other number read
    // the same, with fewer words to look at.
    static std::optional<NumberReading> of(int first, int count, const Play &play,
                                           const std::vector<uint64_t> *among = nullptr);
};

// The bets a play makes of one proposal: how many (注数), which of them a draw wins, and how the
// draw falls under chance. A 组选 bet is its digits in ascending order. Bets are distinct: the
// same number proposed twice is one bet.
class BetSet
{
  public:
    // The play's bets of the proposal, or why the play cannot take it (a message for the 玩法
    // field, or for 守号 when a typed number does not fit the play).
    static BetSetResult make(const Proposal &proposal, const Play &play);
    // The bets given as values of the play (each one it sells).
    static BetSet ofValues(const Play &play, const std::vector<uint32_t> &values);
    // Makes these the reading's play's bets of a proposal of the reading's part's numbers (not
    // 组选 numbers), as make() would, keeping the memory already held.
    void assign(const Proposal &numbers, const NumberReading &reading);

    const Play &play() const { return *m_play; }
    uint64_t count() const { return m_count; }
    // How many bets the draw wins: 0 or 1, except under 大小单双, where 大 and 单 both win on 7.
    uint32_t wins(const Digits &digits) const;
    // The same, with the draw's value under the play (Play::drawValue) known.
    uint32_t wins(const Digits &digits, uint32_t drawValue) const
    {
        if (m_product) {
            for (int i = 0; i < m_play->count; ++i) {
                if (!((m_masks[size_t(i)] >> digits[size_t(m_play->first + i)]) & 1))
                    return 0;
            }
            return 1;
        }
        if (m_play->kind == PlayKind::BigSmallOddEven)
            return m_attributeWins[drawValue];
        return testBit(drawValue) ? 1 : 0;
    }
    // The ways of winning under chance; their probabilities add up to hitChance().
    const std::vector<ChanceOutcome> &chanceOutcomes() const { return m_outcomes; }
    // The chance that the draw wins at least one bet: the share of the play's draws covered.
    double hitChance() const { return m_hitChance; }
    // The first `limit` bets in ascending order.
    std::vector<uint32_t> values(size_t limit = SIZE_MAX) const;
    // The bets as text, separated by blanks or one a line; at most `limit` of them, then "…".
    QString text(bool lines = false, size_t limit = SIZE_MAX) const;

  private:
    explicit BetSet(const Play &play) : m_play(&play) {}
    void setBit(uint32_t value);
    bool testBit(uint32_t value) const { return (m_bits[value >> 6] >> (value & 63)) & 1; }
    void finish(const NumberReading *reading = nullptr);

    const Play *m_play;
    uint64_t m_count = 0;
    // Direct plays and 定位胆 of digits allowed at each position: the product of the masks (one
    // per position of the play). Everything else: a bit per value of the play.
    bool m_product = false;
    std::array<uint16_t, kPositions> m_masks{};
    std::vector<uint64_t> m_bits;
    std::array<uint8_t, 10> m_attributeWins{}; // 大小单双: bets each digit wins
    std::vector<ChanceOutcome> m_outcomes;
    double m_hitChance = 0;
};

struct BetSetResult
{
    std::optional<BetSet> bets;
    FieldError error;
};

} // namespace quorlent::plan
