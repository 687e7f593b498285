#include "FilterScheme.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace quorlent::filter {

namespace {

const QLatin1String kFormat("quorlent-filter-scheme");

// By FilterPart.
constexpr const char *kPartIds[] = {"five",         "front-four", "back-four", "front-three",
                                    "middle-three", "back-three", "front-two", "back-two"};

QJsonObject conditionToJson(const Condition &c)
{
    QJsonObject o;
    o["kind"] = QLatin1String(kindId(c.kind));
    o["enabled"] = c.enabled;
    switch (formOf(c.kind)) {
    case KindForm::Positions: {
        QJsonArray positions;
        for (const DigitSet &d : c.positions)
            positions.append(d.text());
        o["positions"] = positions;
        break;
    }
    case KindForm::Bankers:
        o["digits"] = c.digits.text();
        o["count"] = c.count;
        o["rule"] = c.rule == BankerRule::AtLeast ? "at-least" : "exactly";
        break;
    case KindForm::Kill:
        o["digits"] = c.digits.text();
        o["position"] = c.position;
        break;
    case KindForm::Shapes: {
        QJsonArray shapes;
        for (int s = 0; s < kShapeCount; ++s) {
            if (c.shapes & shapeBit(Shape(s)))
                shapes.append(QLatin1String(shapeId(Shape(s))));
        }
        o["shapes"] = shapes;
        break;
    }
    case KindForm::Omission:
        o["threshold"] = c.threshold;
        o["scope"] = c.atPositions ? "positions" : "part";
        o["values"] = c.values;
        break;
    case KindForm::Values:
    case KindForm::Ratios:
        o["values"] = c.values;
        break;
    }
    return o;
}

// Reads the fields of one condition; the first thing wrong stays in `error`.
class ConditionReader
{
  public:
    ConditionReader(const QJsonObject &object, int number) : m_object(object), m_number(number) {}

    QString error;

    void text(const char *name, QString &out)
    {
        const QJsonValue v = m_object.value(QLatin1String(name));
        if (v.isUndefined())
            return;
        if (!v.isString())
            return fail(name);
        out = v.toString();
    }
    void integer(const char *name, int &out)
    {
        const QJsonValue v = m_object.value(QLatin1String(name));
        if (v.isUndefined())
            return;
        const double d = v.toDouble(NAN);
        if (!v.isDouble() || d != std::floor(d) || std::abs(d) > 1e6)
            return fail(name);
        out = int(d);
    }
    void flag(const char *name, bool &out)
    {
        const QJsonValue v = m_object.value(QLatin1String(name));
        if (v.isUndefined())
            return;
        if (!v.isBool())
            return fail(name);
        out = v.toBool();
    }
    void digits(const QJsonValue &v, const char *name, DigitSet &out)
    {
        if (v.isUndefined())
            return;
        const QString s = v.toString();
        bool digitsOnly = v.isString();
        for (QChar c : s)
            digitsOnly = digitsOnly && c >= u'0' && c <= u'9';
        if (!digitsOnly)
            return fail(name);
        out = DigitSet::fromText(s);
    }
    void digits(const char *name, DigitSet &out)
    {
        digits(m_object.value(QLatin1String(name)), name, out);
    }
    void positions(std::array<DigitSet, kPositions> &out)
    {
        const QJsonValue v = m_object.value(QLatin1String("positions"));
        if (v.isUndefined())
            return;
        const QJsonArray a = v.toArray();
        if (!v.isArray() || a.size() > kPositions)
            return fail("positions");
        for (qsizetype i = 0; i < a.size(); ++i)
            digits(a[i], "positions", out[size_t(i)]);
    }
    void shapes(ShapeSet &out)
    {
        const QJsonValue v = m_object.value(QLatin1String("shapes"));
        if (v.isUndefined())
            return;
        if (!v.isArray())
            return fail("shapes");
        out = 0;
        for (const QJsonValue s : v.toArray()) {
            const std::optional<Shape> shape = shapeFromId(s.toString());
            if (!shape)
                return fail("shapes");
            out |= shapeBit(*shape);
        }
    }
    void choice(const char *name, const char *a, const char *b, bool &isA)
    {
        QString s;
        text(name, s);
        if (s.isEmpty() || !error.isEmpty())
            return;
        if (s != QLatin1String(a) && s != QLatin1String(b))
            return fail(name);
        isA = s == QLatin1String(a);
    }

  private:
    void fail(const char *name)
    {
        if (error.isEmpty())
            error = QStringLiteral("第 %1 条条件的「%2」无法读取").arg(m_number).arg(name);
    }

    const QJsonObject &m_object;
    int m_number;
};

SchemeReading failure(const QString &message)
{
    return {std::nullopt, message};
}

} // namespace

QByteArray schemeToJson(const ConditionSet &set)
{
    QJsonObject o;
    o["format"] = kFormat;
    o["version"] = kSchemeVersion;
    o["part"] = QLatin1String(kPartIds[size_t(set.part)]);
    o["selection"] = set.selection == Selection::Direct ? "direct" : "group";
    QJsonArray conditions;
    for (const Condition &c : set.conditions)
        conditions.append(conditionToJson(c));
    o["conditions"] = conditions;
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

SchemeReading schemeFromJson(const QByteArray &json)
{
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parse);
    if (parse.error != QJsonParseError::NoError)
        return failure(QStringLiteral("方案无法读取：%1（第 %2 个字符）")
                           .arg(parse.errorString())
                           .arg(parse.offset));
    const QJsonObject o = doc.object();
    if (!doc.isObject() || o.value("format").toString() != kFormat)
        return failure(QStringLiteral("这不是缩水方案"));
    const QJsonValue version = o.value("version");
    if (!version.isDouble() || version.toDouble() != std::floor(version.toDouble()) ||
        version.toDouble() < 1)
        return failure(QStringLiteral("方案的版本号无效"));
    if (version.toDouble() > kSchemeVersion)
        return failure(QStringLiteral("方案的版本 %1 比本程序能读的版本 %2 新，请更新程序")
                           .arg(version.toDouble())
                           .arg(kSchemeVersion));

    ConditionSet set;
    const QString part = o.value("part").toString();
    bool partKnown = false;
    for (FilterPart p : kAllParts) {
        if (part == QLatin1String(kPartIds[size_t(p)])) {
            set.part = p;
            partKnown = true;
        }
    }
    if (!partKnown)
        return failure(QStringLiteral("方案的号码部分「%1」无法识别").arg(part));
    const QString selection = o.value("selection").toString();
    if (selection != QLatin1String("direct") && selection != QLatin1String("group"))
        return failure(QStringLiteral("方案的直选/组选「%1」无法识别").arg(selection));
    set.selection = selection == QLatin1String("direct") ? Selection::Direct : Selection::Group;
    if (!o.value("conditions").isArray())
        return failure(QStringLiteral("方案缺少条件列表"));

    int number = 0;
    for (const QJsonValue v : o.value("conditions").toArray()) {
        ++number;
        if (!v.isObject())
            return failure(QStringLiteral("第 %1 条条件无法读取").arg(number));
        const QJsonObject object = v.toObject();
        const QString kind = object.value("kind").toString();
        const std::optional<ConditionKind> known = kindFromId(kind);
        if (!known)
            return failure(
                QStringLiteral("第 %1 条条件的类型「%2」无法识别").arg(number).arg(kind));
        Condition c;
        c.kind = *known;
        ConditionReader read(object, number);
        read.flag("enabled", c.enabled);
        read.positions(c.positions);
        read.digits("digits", c.digits);
        read.integer("count", c.count);
        bool atLeast = true;
        read.choice("rule", "at-least", "exactly", atLeast);
        c.rule = atLeast ? BankerRule::AtLeast : BankerRule::Exactly;
        read.integer("position", c.position);
        read.text("values", c.values);
        read.shapes(c.shapes);
        read.integer("threshold", c.threshold);
        read.choice("scope", "positions", "part", c.atPositions);
        if (!read.error.isEmpty())
            return failure(read.error);
        set.conditions.push_back(c);
    }
    return {set, {}};
}

} // namespace quorlent::filter
