#pragma once

#include "PlanDefinition.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace quorlent::plan {

// The version planToJson() writes; planFromJson() reads it and every one before.
inline constexpr int kPlanVersion = 1;

// A 计划方案 as a JSON document that names its format and version: the source with the fields of
// its kind (a 缩水 方案 is kept whole inside, so the plan does not change when the 方案 of that
// name does), the play, the prize table, the progression, the starting balance and the range;
// enumerations by ASCII names.
QByteArray planToJson(const PlanDefinition &plan);

struct PlanReading
{
    std::optional<PlanDefinition> plan;
    QString error; // why there is no plan, in Chinese
};

// Reads a plan written by planToJson() of this or an earlier version. Fields it does not know are
// passed over, fields it lacks keep the defaults of `game`; anything it cannot read gives no plan
// and a message naming what is wrong. The plan read may still be one validate() refuses.
PlanReading planFromJson(const QByteArray &json, const Game &game);

} // namespace quorlent::plan
