#include "Condition.h"

namespace quorlent::filter {

QByteArray ruleKey(const Condition &c)
{
    QByteArray key = kindId(c.kind);
    auto add = [&key](const QByteArray &field) { key += '|' + field; };
    switch (formOf(c.kind)) {
    case KindForm::Positions:
        for (const DigitSet &d : c.positions)
            add(QByteArray::number(d.mask()));
        break;
    case KindForm::Bankers:
        add(QByteArray::number(c.digits.mask()));
        add(QByteArray::number(c.count));
        add(QByteArray::number(int(c.rule)));
        break;
    case KindForm::Kill:
        add(QByteArray::number(c.digits.mask()));
        add(QByteArray::number(c.position));
        break;
    case KindForm::Shapes:
        add(QByteArray::number(c.shapes));
        break;
    case KindForm::Omission:
        add(QByteArray::number(c.threshold));
        add(QByteArray::number(int(c.atPositions)));
        add(c.values.toUtf8());
        break;
    case KindForm::Values:
    case KindForm::Ratios:
        add(c.values.toUtf8());
        break;
    }
    return key;
}

QString conditionTitle(const Condition &condition)
{
    const QString name = kindName(condition.kind);
    switch (formOf(condition.kind)) {
    case KindForm::Kill:
        return condition.position > 0
                   ? QStringLiteral("%1（第 %2 位）").arg(name).arg(condition.position)
                   : name;
    case KindForm::Omission:
        return QStringLiteral("%1（遗漏%2%3）")
            .arg(name, QString::fromUtf8(kindInfo(condition.kind).comparison))
            .arg(condition.threshold);
    default:
        return name;
    }
}

} // namespace quorlent::filter
