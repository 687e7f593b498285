#pragma once

#include "FieldError.h"
#include "Game.h"
#include "Money.h"
#include "Play.h"

#include <QJsonObject>
#include <QString>

#include <array>
#include <optional>

namespace quorlent::plan {

// What a row of the prize table is: its name and the chance that one bet on it wins when every
// digit is equally likely and independent.
struct PrizeLineInfo
{
    const char *id;   // stable ASCII name for saved tables: "back-three-pair"
    const char *name; // UTF-8: "后三组三"
    double chance; // 直选 10^-digits, 组三 3/1000, 组六 6/1000, 二星组选 2/100, 定位胆 1/10,
                   // 大小单双 1/2
};
const PrizeLineInfo &prizeLineInfo(PrizeLine line);

// Where a default prize comes from.
struct PrizeSource
{
    bool published = false; // the operator sells the play at this prize
    QString note;           // the rules it follows, or why a reference value and which
};

// The price of one bet and what one bet of 1 倍 wins on each line, for one game. The defaults
// follow the prize rules commonly published for the game's kind; the user may change any of
// them (validate() says what cannot be).
struct PrizeTable
{
    Money price = 2 * kCentsPerYuan;
    std::array<Money, kPrizeLines> prizes{};

    Money prize(PrizeLine line) const { return prizes[size_t(line)]; }
    // 1 − expected prize ÷ price for one bet on the line under chance: the share the house keeps.
    double houseShare(PrizeLine line) const;

    // The defaults for the game: games of several draws a day follow the 时时彩 rules, a game of
    // one draw a day the 排列五 / 排列三 rules (see sourceOf()).
    static PrizeTable defaults(const Game &game);
    static PrizeSource sourceOf(const Game &game, PrizeLine line);

    // No negative prize, a price above 0, nothing beyond kLargestAmount.
    FieldErrors validate() const;

    QJsonObject toJson() const;
    // Lines the object does not name keep the defaults of `game`; a value that is not an amount
    // gives an error naming its line.
    static std::optional<PrizeTable> fromJson(const QJsonObject &object, const Game &game,
                                              QString *error);

    bool operator==(const PrizeTable &) const = default;
};

} // namespace quorlent::plan
