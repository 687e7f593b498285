#include "Money.h"

#include <QRegularExpression>

namespace quorlent::plan {

QString moneyText(Money cents)
{
    const bool negative = cents < 0;
    const uint64_t magnitude = negative ? uint64_t(0) - uint64_t(cents) : uint64_t(cents);
    QString text = QString::number(magnitude / kCentsPerYuan);
    if (const uint64_t fraction = magnitude % kCentsPerYuan; fraction != 0) {
        text += QStringLiteral(".%1").arg(fraction, 2, 10, QLatin1Char('0'));
        if (text.endsWith(QLatin1Char('0')))
            text.chop(1);
    }
    return negative ? QStringLiteral("-") + text : text;
}

std::optional<Money> parseMoney(const QString &text)
{
    static const QRegularExpression form(
        QStringLiteral("^\\s*(-?)(\\d{1,12})(?:\\.(\\d{0,2}))?\\s*$"));
    QString plain = text;
    plain.remove(QLatin1Char(','));
    const QRegularExpressionMatch m = form.match(plain);
    if (!m.hasMatch())
        return std::nullopt;
    Money cents = m.captured(2).toLongLong() * kCentsPerYuan;
    const QString fraction = m.captured(3);
    if (!fraction.isEmpty())
        cents += fraction.size() == 1 ? fraction.toLongLong() * 10 : fraction.toLongLong();
    return m.captured(1).isEmpty() ? cents : -cents;
}

} // namespace quorlent::plan
