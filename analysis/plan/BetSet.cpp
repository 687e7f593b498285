#include "BetSet.h"

#include <algorithm>
#include <bit>

namespace quorlent::plan {

namespace {

const QString kPlayField = QStringLiteral("玩法");
const QString kTypedField = QStringLiteral("守号");

// "前三", "五星", "万位": the positions of a part, as the 缩水 window names them.
QString partTitle(int first, int count)
{
    static const char16_t *const positions[] = {u"万位", u"千位", u"百位", u"十位", u"个位"};
    if (count == 1)
        return QString::fromUtf16(positions[first]);
    if (count == 5)
        return QStringLiteral("五星");
    static const char16_t *const counts[] = {u"", u"", u"二", u"三", u"四"};
    const QString where = first == 0                    ? QStringLiteral("前")
                          : first + count == kPositions ? QStringLiteral("后")
                                                        : QStringLiteral("中");
    return where + QString::fromUtf16(counts[count]);
}

uint16_t attributesCovering(uint16_t digits)
{
    uint16_t bets = 0;
    if (digits == 0)
        return 0;
    for (int a = 0; a < kAttributes; ++a) {
        bool all = true;
        for (int d = 0; d < 10; ++d)
            all = all && (!((digits >> d) & 1) || hasAttribute(d, a));
        if (all)
            bets = uint16_t(bets | (1u << a));
    }
    return bets;
}

// Calls f(value) for every value of the product of the masks, in ascending order.
template <typename F> void forEachOfProduct(const uint16_t *masks, int count, F &&f)
{
    auto walk = [&](auto &&self, int i, uint32_t value) -> void {
        if (i == count) {
            f(value);
            return;
        }
        for (int d = 0; d < 10; ++d) {
            if ((masks[i] >> d) & 1)
                self(self, i + 1, value * 10 + uint32_t(d));
        }
    };
    walk(walk, 0, 0);
}

} // namespace

std::optional<NumberReading> NumberReading::of(int first, int count, const Play &play,
                                               const std::vector<uint64_t> *among)
{
    if (play.first < first || play.first + play.count > first + count)
        return std::nullopt;
    NumberReading r;
    r.play = &play;
    r.first = first;
    r.count = count;
    r.same = play.kind == PlayKind::Direct && play.first == first && play.count == count;
    uint32_t size = 1;
    for (int i = 0; i < count; ++i)
        size *= 10;
    uint32_t below = 1; // the part's positions after the play's
    for (int i = play.first + play.count; i < first + count; ++i)
        below *= 10;
    uint32_t width = 1;
    for (int i = 0; i < play.count; ++i)
        width *= 10;
    // The bet of each value of the play's positions.
    constexpr uint32_t kNoBet = UINT32_MAX;
    std::vector<uint32_t> betOfValue(width);
    for (uint32_t v = 0; v < width; ++v) {
        betOfValue[v] = v;
        if (play.isGroup()) {
            betOfValue[v] = canonicalOf(v, play.count);
            if (!play.sells(betOfValue[v]))
                betOfValue[v] = kNoBet;
        }
    }
    // The pieces of each bet, in ascending order of bet and word.
    std::vector<std::vector<Piece>> byBet(width);
    for (uint32_t n = 0; n < size; ++n) {
        const uint32_t bet = betOfValue[n / below % width];
        if (bet == kNoBet || (among && !(((*among)[n / 64] >> (n % 64)) & 1)))
            continue;
        std::vector<Piece> &pieces = byBet[bet];
        if (pieces.empty() || pieces.back().word != n / 64)
            pieces.push_back({n / 64, 0});
        pieces.back().bits |= uint64_t(1) << (n % 64);
    }
    for (uint32_t bet = 0; bet < byBet.size(); ++bet) {
        if (byBet[bet].empty())
            continue;
        r.bets.push_back(bet);
        r.firstPiece.push_back(uint32_t(r.pieces.size()));
        r.pieces.insert(r.pieces.end(), byBet[bet].begin(), byBet[bet].end());
    }
    r.firstPiece.push_back(uint32_t(r.pieces.size()));
    if (play.isGroup()) {
        const double space = double(play.valueSpace());
        std::array<int, kPrizeLines> orderings{};
        for (uint32_t v = 0; v < play.valueSpace(); ++v) {
            if (!play.sells(v))
                continue;
            const PrizeLine line = play.lineFor(v);
            const int o = orderingsOf(v, play.count);
            auto same = std::find_if(r.lineSums.begin(), r.lineSums.end(),
                                     [&](const LineSums &l) { return l.line == line; });
            if (same == r.lineSums.end()) {
                r.lineSums.push_back(
                    {line, std::vector<uint64_t>((play.valueSpace() + 63) / 64), {0.0}});
                same = r.lineSums.end() - 1;
                orderings[size_t(line)] = o;
            }
            if (orderings[size_t(line)] != o) { // not one number of orderings: bet by bet
                r.lineSums.clear();
                break;
            }
            same->bets[v >> 6] |= uint64_t(1) << (v & 63);
            same->sums.push_back(same->sums.back() + o / space);
        }
    }
    return r;
}

void BetSet::setBit(uint32_t value)
{
    m_bits[value >> 6] |= uint64_t(1) << (value & 63);
}

BetSet BetSet::ofValues(const Play &play, const std::vector<uint32_t> &values)
{
    BetSet set(play);
    set.m_bits.assign((play.valueSpace() + 63) / 64, 0);
    for (uint32_t v : values) {
        if (play.sells(v))
            set.setBit(v);
    }
    set.finish();
    return set;
}

void BetSet::assign(const Proposal &numbers, const NumberReading &reading)
{
    const Play &play = *reading.play;
    m_play = &play;
    m_product = false;
    m_masks = {};
    if (reading.same) {
        m_bits.assign(numbers.bits.begin(), numbers.bits.end());
        finish(&reading);
        return;
    }
    m_bits.assign((play.valueSpace() + 63) / 64, 0);
    // The bets the proposal makes, each once: any number making it is enough. Without branches
    // on the proposal's bits, which are as good as random.
    const uint64_t *bits = numbers.bits.data();
    const NumberReading::Piece *pieces = reading.pieces.data();
    const bool digits = play.kind == PlayKind::Position || play.kind == PlayKind::BigSmallOddEven;
    uint64_t *out = digits ? nullptr : m_bits.data();
    uint16_t digitMask = 0;
    for (size_t b = 0; b < reading.bets.size(); ++b) {
        uint64_t any = 0;
        const uint32_t bet = reading.bets[b];
        if (digits) {
            // A digit's numbers lie in many words, and the first few nearly always show it.
            for (uint32_t i = reading.firstPiece[b]; i < reading.firstPiece[b + 1] && !any; ++i)
                any = bits[pieces[i].word] & pieces[i].bits;
            digitMask = uint16_t(digitMask | (uint32_t(any != 0) << bet));
            continue;
        }
        for (uint32_t i = reading.firstPiece[b]; i < reading.firstPiece[b + 1]; ++i)
            any |= bits[pieces[i].word] & pieces[i].bits;
        out[bet >> 6] |= uint64_t(any != 0) << (bet & 63);
    }
    if (play.kind == PlayKind::Position) {
        m_product = true;
        m_masks[0] = digitMask;
    } else if (play.kind == PlayKind::BigSmallOddEven) {
        const uint16_t attributes = attributesCovering(digitMask);
        for (int a = 0; a < kAttributes; ++a) {
            if ((attributes >> a) & 1)
                setBit(uint32_t(a));
        }
    }
    finish(&reading);
}

BetSetResult BetSet::make(const Proposal &proposal, const Play &play)
{
    const int pf = play.first;
    const int pc = play.count;
    BetSet set(play);
    set.m_bits.assign((play.valueSpace() + 63) / 64, 0);

    switch (proposal.form) {
    case Proposal::Form::Digits: {
        const uint16_t *masks = proposal.masks.data() + pf;
        if (play.kind == PlayKind::Direct || play.kind == PlayKind::Position) {
            set.m_product = true;
            std::copy(masks, masks + pc, set.m_masks.begin());
        } else if (play.kind == PlayKind::BigSmallOddEven) {
            const uint16_t bets = attributesCovering(masks[0]);
            for (int a = 0; a < kAttributes; ++a) {
                if ((bets >> a) & 1)
                    set.setBit(uint32_t(a));
            }
        } else {
            forEachOfProduct(masks, pc, [&](uint32_t v) {
                const uint32_t c = canonicalOf(v, pc);
                if (play.sells(c))
                    set.setBit(c);
            });
        }
        break;
    }
    case Proposal::Form::Numbers: {
        const int f = proposal.first;
        const int c = proposal.count;
        if (pf < f || pf + pc > f + c)
            return {std::nullopt,
                    {kPlayField, QStringLiteral("计划的号码只有%1，不能用于%2")
                                     .arg(partTitle(f, c), play.displayName())}};
        if (proposal.group) {
            if (pf != f || pc != c || !(play.kind == PlayKind::Direct || play.isGroup()))
                return {std::nullopt,
                        {kPlayField, QStringLiteral("组选的号码不分位置，只能用于%1的直选和组选")
                                         .arg(partTitle(f, c))}};
            proposal.forEachNumber([&](uint32_t v) {
                if (play.kind != PlayKind::Direct) {
                    if (play.sells(v))
                        set.setBit(v);
                    return;
                }
                auto digits = digitsOf(v, c);
                sortDigits(digits, c);
                do {
                    set.setBit(valueOf(std::span<const int>(digits.data(), size_t(c))));
                } while (std::next_permutation(digits.begin(), digits.begin() + c));
            });
            break;
        }
        if (play.kind == PlayKind::Direct && pf == f && pc == c) {
            set.m_bits = proposal.bits; // the part's numbers are the play's
            break;
        }
        const int offset = pf - f;
        uint16_t digitMask = 0;
        proposal.forEachNumber([&](uint32_t v) {
            const auto digits = digitsOf(v, c);
            const uint32_t projected =
                valueOf(std::span<const int>(digits.data() + offset, size_t(pc)));
            switch (play.kind) {
            case PlayKind::Direct:
                set.setBit(projected);
                break;
            case PlayKind::Position:
            case PlayKind::BigSmallOddEven:
                digitMask = uint16_t(digitMask | (1u << projected));
                break;
            default:
                if (const uint32_t g = canonicalOf(projected, pc); play.sells(g))
                    set.setBit(g);
                break;
            }
        });
        if (play.kind == PlayKind::Position) {
            set.m_product = true;
            set.m_masks[0] = digitMask;
        } else if (play.kind == PlayKind::BigSmallOddEven) {
            const uint16_t bets = attributesCovering(digitMask);
            for (int a = 0; a < kAttributes; ++a) {
                if ((bets >> a) & 1)
                    set.setBit(uint32_t(a));
            }
        }
        break;
    }
    case Proposal::Form::Typed: {
        if (proposal.tokens.isEmpty())
            return {std::nullopt, {kTypedField, QStringLiteral("没有输入号码")}};
        for (const QString &token : proposal.tokens) {
            if (play.kind == PlayKind::BigSmallOddEven) {
                for (QChar ch : token) {
                    int a = 0;
                    while (a < kAttributes && attributeName(a) != QString(ch))
                        ++a;
                    if (a == kAttributes)
                        return {std::nullopt,
                                {kTypedField, QStringLiteral("“%1”不是大、小、单、双").arg(token)}};
                    set.setBit(uint32_t(a));
                }
                continue;
            }
            bool digitsOnly = !token.isEmpty();
            for (QChar ch : token)
                digitsOnly = digitsOnly && ch >= u'0' && ch <= u'9';
            if (!digitsOnly)
                return {std::nullopt,
                        {kTypedField, QStringLiteral("“%1”不是号码，号码只由数字组成").arg(token)}};
            if (token.size() != pc)
                return {std::nullopt,
                        {kTypedField, QStringLiteral("“%1”有 %2 位数字，%3每注 %4 位")
                                          .arg(token)
                                          .arg(token.size())
                                          .arg(play.displayName())
                                          .arg(pc)}};
            uint32_t value = token.toUInt();
            if (play.isGroup()) {
                value = canonicalOf(value, pc);
                if (!play.sells(value)) {
                    QString why;
                    if (play.kind == PlayKind::GroupThree)
                        why = QStringLiteral("组三须有且只有两个数字相同");
                    else if (play.kind == PlayKind::GroupSix)
                        why = QStringLiteral("组六须三个数字各不相同");
                    else
                        why = pc == 3 ? QStringLiteral("组选不含三个数字相同的豹子")
                                      : QStringLiteral("二星组选不含两个数字相同的对子");
                    return {std::nullopt,
                            {kTypedField, QStringLiteral("“%1”：%2").arg(token, why)}};
                }
            }
            set.setBit(value);
        }
        break;
    }
    }
    set.finish();
    return {std::move(set), {}};
}

void BetSet::finish(const NumberReading *reading)
{
    const Play &play = *m_play;
    m_outcomes.clear();
    if (m_product) {
        m_count = 1;
        for (int i = 0; i < play.count; ++i)
            m_count *= uint64_t(std::popcount(m_masks[size_t(i)]));
        const double share = double(m_count) / double(play.valueSpace());
        if (m_count > 0)
            m_outcomes.push_back({play.line, 1, share});
        m_hitChance = share;
        return;
    }
    m_count = 0;
    for (uint64_t word : m_bits)
        m_count += uint64_t(std::popcount(word));
    m_hitChance = 0;
    if (play.kind == PlayKind::BigSmallOddEven) {
        std::array<int, kAttributes + 1> digitsWinning{};
        for (int d = 0; d < 10; ++d) {
            int wins = 0;
            for (int a = 0; a < kAttributes; ++a)
                wins += testBit(uint32_t(a)) && hasAttribute(d, a);
            m_attributeWins[size_t(d)] = uint8_t(wins);
            ++digitsWinning[size_t(wins)];
        }
        for (int w = 1; w <= kAttributes; ++w) {
            if (digitsWinning[size_t(w)] > 0)
                m_outcomes.push_back({play.line, uint8_t(w), digitsWinning[size_t(w)] / 10.0});
        }
    } else if (play.kind == PlayKind::Direct) {
        if (m_count > 0)
            m_outcomes.push_back({play.line, 1, double(m_count) / double(play.valueSpace())});
    } else {
        // Each 组选 bet wins on as many draws as its digits have orderings.
        std::array<double, kPrizeLines> byLine{};
        const double space = double(play.valueSpace());
        if (reading && !reading->lineSums.empty()) {
            for (const NumberReading::LineSums &l : reading->lineSums) {
                size_t k = 0;
                for (size_t w = 0; w < m_bits.size(); ++w)
                    k += size_t(std::popcount(m_bits[w] & l.bets[w]));
                byLine[size_t(l.line)] = l.sums[k];
            }
        } else {
            for (size_t w = 0; w < m_bits.size(); ++w) {
                for (uint64_t word = m_bits[w]; word; word &= word - 1) {
                    const auto v = uint32_t(w * 64 + size_t(std::countr_zero(word)));
                    byLine[size_t(play.lineFor(v))] += orderingsOf(v, play.count) / space;
                }
            }
        }
        for (int l = 0; l < kPrizeLines; ++l) {
            if (byLine[size_t(l)] > 0)
                m_outcomes.push_back({PrizeLine(l), 1, byLine[size_t(l)]});
        }
    }
    for (const ChanceOutcome &o : m_outcomes)
        m_hitChance += o.probability;
}

uint32_t BetSet::wins(const Digits &digits) const
{
    return wins(digits, m_product ? 0 : m_play->drawValue(digits));
}

std::vector<uint32_t> BetSet::values(size_t limit) const
{
    std::vector<uint32_t> out;
    if (m_product) {
        out.reserve(size_t(std::min<uint64_t>(m_count, std::min<size_t>(limit, 1 << 20))));
        // The product in ascending order; stops filling at the limit.
        forEachOfProduct(m_masks.data(), m_play->count, [&](uint32_t v) {
            if (out.size() < limit)
                out.push_back(v);
        });
        return out;
    }
    for (size_t w = 0; w < m_bits.size() && out.size() < limit; ++w) {
        for (uint64_t word = m_bits[w]; word && out.size() < limit; word &= word - 1)
            out.push_back(uint32_t(w * 64 + size_t(std::countr_zero(word))));
    }
    return out;
}

QString BetSet::text(bool lines, size_t limit) const
{
    const std::vector<uint32_t> bets = values(limit);
    QString out;
    out.reserve(qsizetype(bets.size()) * (m_play->count + 1));
    const QChar separator = lines ? QLatin1Char('\n') : QLatin1Char(' ');
    for (size_t i = 0; i < bets.size(); ++i) {
        if (i > 0)
            out += separator;
        out += m_play->betText(bets[i]);
    }
    if (bets.size() < m_count)
        out += separator + QStringLiteral("…");
    return out;
}

} // namespace quorlent::plan
