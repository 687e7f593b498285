#include "PlanFile.h"

#include "FilterScheme.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace quorlent::plan {

namespace {

const QLatin1String kFormat("quorlent-plan");

template <typename E, size_t N> const char *idOf(const char *const (&ids)[N], E value)
{
    return ids[size_t(value)];
}

template <typename E, size_t N>
std::optional<E> fromId(const char *const (&ids)[N], const QString &id)
{
    for (size_t i = 0; i < N; ++i) {
        if (id == QLatin1String(ids[i]))
            return E(i);
    }
    return std::nullopt;
}

const char *const kSources[] = {"search", "scheme", "digits", "typed"};
const char *const kSearches[] = {"follow", "combination"};
const char *const kKinds[] = {"number", "big-small", "odd-even", "segment"};
const char *const kProgressions[] = {"flat", "doubling", "list"};
const char *const kRanges[] = {"latest", "all", "issues"};

QString maskText(uint16_t mask)
{
    QString out;
    for (int d = 0; d <= 9; ++d) {
        if ((mask >> d) & 1)
            out += QChar(u'0' + d);
    }
    return out;
}

QJsonArray masksJson(const std::array<uint16_t, kPositions> &masks)
{
    QJsonArray a;
    for (uint16_t m : masks)
        a.append(maskText(m));
    return a;
}

// Reads the fields of one object; the first thing wrong stays in `error`.
class Reader
{
  public:
    Reader(const QJsonObject &object, QString where) : m_object(object), m_where(std::move(where))
    {
    }

    QString *error = nullptr;

    bool failed() const { return !error->isEmpty(); }
    void fail(const char *name)
    {
        if (error->isEmpty())
            *error = QStringLiteral("%1的“%2”无法读取").arg(m_where, QLatin1String(name));
    }
    QJsonValue value(const char *name) const { return m_object.value(QLatin1String(name)); }
    void text(const char *name, QString &out)
    {
        const QJsonValue v = value(name);
        if (v.isUndefined())
            return;
        if (!v.isString())
            return fail(name);
        out = v.toString();
    }
    template <typename I> void integer(const char *name, I &out, double low, double high)
    {
        const QJsonValue v = value(name);
        if (v.isUndefined())
            return;
        const double d = v.toDouble(NAN);
        if (!v.isDouble() || d != std::floor(d) || d < low || d > high)
            return fail(name);
        out = I(d);
    }
    void flag(const char *name, bool &out)
    {
        const QJsonValue v = value(name);
        if (v.isUndefined())
            return;
        if (!v.isBool())
            return fail(name);
        out = v.toBool();
    }
    template <typename E, size_t N>
    void choice(const char *name, const char *const (&ids)[N], E &out)
    {
        const QJsonValue v = value(name);
        if (v.isUndefined())
            return;
        const std::optional<E> e = fromId<E>(ids, v.toString());
        if (!e)
            return fail(name);
        out = *e;
    }
    void mask(const QJsonValue &v, const char *name, uint16_t &out)
    {
        if (v.isUndefined())
            return;
        if (!v.isString())
            return fail(name);
        uint16_t m = 0;
        for (QChar c : v.toString()) {
            if (c < u'0' || c > u'9')
                return fail(name);
            m = uint16_t(m | (1u << (c.unicode() - u'0')));
        }
        out = m;
    }
    void masks(const char *name, std::array<uint16_t, kPositions> &out)
    {
        const QJsonValue v = value(name);
        if (v.isUndefined())
            return;
        const QJsonArray a = v.toArray();
        if (!v.isArray() || a.size() != kPositions)
            return fail(name);
        for (int p = 0; p < kPositions; ++p)
            mask(a[p], name, out[size_t(p)]);
    }
    void flags(const char *name, std::array<bool, kPositions> &out)
    {
        const QJsonValue v = value(name);
        if (v.isUndefined())
            return;
        const QJsonArray a = v.toArray();
        if (!v.isArray() || a.size() != kPositions)
            return fail(name);
        for (int p = 0; p < kPositions; ++p) {
            if (!a[p].isBool())
                return fail(name);
            out[size_t(p)] = a[p].toBool();
        }
    }
    void money(const char *name, Money &out)
    {
        const QJsonValue v = value(name);
        if (v.isUndefined())
            return;
        const std::optional<Money> m = parseMoney(v.toString());
        if (!v.isString() || !m)
            return fail(name);
        out = *m;
    }

  private:
    QJsonObject m_object;
    QString m_where;
};

} // namespace

QByteArray planToJson(const PlanDefinition &plan)
{
    const SearchSource &s = plan.search;
    QJsonArray selected;
    for (bool b : s.request.selected)
        selected.append(b);
    const QJsonObject search{
        {"search", idOf(kSearches, s.search)},  {"free", s.request.freePositions},
        {"previous", s.request.previousDraw},   {"distance", s.request.earlierDistance},
        {"kind", idOf(kKinds, s.request.kind)}, {"selected", selected},
        {"width", s.request.combinationWidth},  {"group", s.tally.groupSelection},
        {"position", s.tally.position},         {"result", idOf(kKinds, s.tally.resultKind)},
        {"segmentBase", s.tally.segmentBase},   {"top", s.top},
    };
    const QJsonObject scheme{
        {"name", plan.scheme.name},
        {"conditions", QJsonDocument::fromJson(filter::schemeToJson(plan.scheme.set)).object()},
    };
    const QJsonObject digits{
        {"killed", maskText(plan.digits.killedEverywhere)},
        {"killedAt", masksJson(plan.digits.killed)},
        {"required", masksJson(plan.digits.required)},
    };
    QJsonArray steps;
    for (int64_t m : plan.progression.steps)
        steps.append(double(m));
    const QJsonObject progression{
        {"kind", idOf(kProgressions, plan.progression.kind)},
        {"base", double(plan.progression.base)},
        {"cap", double(plan.progression.cap)},
        {"steps", steps},
    };
    const QJsonObject range{
        {"kind", idOf(kRanges, plan.range.kind)},
        {"count", double(plan.range.count)},
        {"first", plan.range.first},
        {"last", plan.range.last},
    };
    const QJsonObject root{
        {"format", kFormat},
        {"version", kPlanVersion},
        {"source", idOf(kSources, plan.source)},
        {"searchSource", search},
        {"schemeSource", scheme},
        {"digitSource", digits},
        {"typedSource", plan.typed.text},
        {"play", plan.play},
        {"prizeTable", plan.prizes.toJson()},
        {"progression", progression},
        {"startBalance", moneyText(plan.startBalance)},
        {"range", range},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

PlanReading planFromJson(const QByteArray &json, const Game &game)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (document.isNull() || !document.isObject())
        return {std::nullopt, QStringLiteral("不是计划方案文件（JSON 无法读取）")};
    const QJsonObject root = document.object();
    if (root.value(QStringLiteral("format")).toString() != kFormat)
        return {std::nullopt, QStringLiteral("不是计划方案文件")};
    const int version = root.value(QStringLiteral("version")).toInt(0);
    if (version < 1 || version > kPlanVersion)
        return {std::nullopt,
                QStringLiteral("计划方案的版本 %1 比本程序新，无法读取").arg(version)};

    PlanDefinition plan = PlanDefinition::defaults(game);
    QString error;
    Reader top(root, QStringLiteral("计划方案"));
    top.error = &error;
    top.choice("source", kSources, plan.source);
    top.text("play", plan.play);
    top.text("typedSource", plan.typed.text);
    top.money("startBalance", plan.startBalance);

    Reader search(root.value(QStringLiteral("searchSource")).toObject(),
                  QStringLiteral("检索来源"));
    search.error = &error;
    SearchSource &s = plan.search;
    search.choice("search", kSearches, s.search);
    search.flag("free", s.request.freePositions);
    search.flag("previous", s.request.previousDraw);
    search.integer("distance", s.request.earlierDistance, 1, 1e6);
    search.choice("kind", kKinds, s.request.kind);
    search.flags("selected", s.request.selected);
    search.integer("width", s.request.combinationWidth, 1, kPositions);
    search.flag("group", s.tally.groupSelection);
    search.integer("position", s.tally.position, 1, kPositions);
    search.choice("result", kKinds, s.tally.resultKind);
    search.integer("segmentBase", s.tally.segmentBase, 0, 1);
    search.integer("top", s.top, 1, 10);
    s.request.game = game;

    const QJsonObject schemeObject = root.value(QStringLiteral("schemeSource")).toObject();
    Reader scheme(schemeObject, QStringLiteral("缩水来源"));
    scheme.error = &error;
    scheme.text("name", plan.scheme.name);
    if (const QJsonValue conditions = schemeObject.value(QStringLiteral("conditions"));
        conditions.isObject() && error.isEmpty()) {
        filter::SchemeReading reading =
            filter::schemeFromJson(QJsonDocument(conditions.toObject()).toJson());
        if (!reading.set)
            error = QStringLiteral("缩水来源：%1").arg(reading.error);
        else
            plan.scheme.set = *reading.set;
    }

    Reader digits(root.value(QStringLiteral("digitSource")).toObject(),
                  QStringLiteral("杀号/定胆"));
    digits.error = &error;
    digits.mask(digits.value("killed"), "killed", plan.digits.killedEverywhere);
    digits.masks("killedAt", plan.digits.killed);
    digits.masks("required", plan.digits.required);

    const QJsonObject progressionObject = root.value(QStringLiteral("progression")).toObject();
    Reader progression(progressionObject, QStringLiteral("倍投"));
    progression.error = &error;
    progression.choice("kind", kProgressions, plan.progression.kind);
    progression.integer("base", plan.progression.base, 0, 1e9);
    progression.integer("cap", plan.progression.cap, 0, 1e9);
    if (const QJsonValue steps = progressionObject.value(QStringLiteral("steps"));
        steps.isArray()) {
        plan.progression.steps.clear();
        for (const QJsonValue &v : steps.toArray()) {
            const double d = v.toDouble(NAN);
            if (!v.isDouble() || d != std::floor(d) || std::abs(d) > 1e9) {
                progression.fail("steps");
                break;
            }
            plan.progression.steps.push_back(int64_t(d));
        }
    }

    Reader range(root.value(QStringLiteral("range")).toObject(), QStringLiteral("范围"));
    range.error = &error;
    range.choice("kind", kRanges, plan.range.kind);
    range.integer("count", plan.range.count, 0, 1e9);
    range.text("first", plan.range.first);
    range.text("last", plan.range.last);

    if (error.isEmpty()) {
        if (const QJsonValue prizes = root.value(QStringLiteral("prizeTable")); prizes.isObject()) {
            std::optional<PrizeTable> table = PrizeTable::fromJson(prizes.toObject(), game, &error);
            if (table)
                plan.prizes = *table;
        }
    }
    if (!error.isEmpty())
        return {std::nullopt, error};
    return {std::move(plan), {}};
}

} // namespace quorlent::plan
