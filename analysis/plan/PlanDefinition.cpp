#include "PlanDefinition.h"

#include "BetSet.h"

namespace quorlent::plan {

PlanDefinition PlanDefinition::defaults(const Game &game)
{
    PlanDefinition d;
    d.prizes = PrizeTable::defaults(game);
    d.search.request.freePositions = false;
    d.search.request.selected = {true, true, true, true, true};
    d.search.request.game = game;
    d.search.tally.position = kPositions;
    d.range = PlanRange::latest(1000);
    return d;
}

FieldErrors PlanDefinition::validate() const
{
    FieldErrors errors;
    auto take = [&errors](const FieldErrors &more) {
        errors.insert(errors.end(), more.begin(), more.end());
    };
    const Play *chosen = playById(play);
    if (!chosen)
        errors.push_back({QStringLiteral("玩法"), QStringLiteral("没有名为“%1”的玩法").arg(play)});
    switch (source) {
    case SourceKind::Search:
        take(search.validate());
        break;
    case SourceKind::Scheme:
        take(scheme.validate());
        break;
    case SourceKind::Digits:
        take(digits.validate());
        break;
    case SourceKind::Typed:
        if (chosen) {
            const BetSetResult made = BetSet::make(Proposal::ofTokens(typed.tokens()), *chosen);
            if (!made.bets)
                errors.push_back(made.error);
        }
        break;
    }
    take(prizes.validate());
    take(progression.validate());
    if (startBalance < 0)
        errors.push_back({QStringLiteral("起始资金"), QStringLiteral("起始资金不能为负数")});
    else if (startBalance > kLargestAmount)
        errors.push_back({QStringLiteral("起始资金"), QStringLiteral("起始资金太大")});
    if (range.kind == PlanRange::Kind::Latest && range.count < 1)
        errors.push_back({QStringLiteral("范围"), QStringLiteral("近几期至少为 1 期")});
    return errors;
}

} // namespace quorlent::plan
