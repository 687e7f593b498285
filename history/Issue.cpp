#include "Issue.h"

namespace quorlent::issue {

int32_t dayNumberOf(const QDate &date)
{
    return (date.year() % 100) * 10000 + date.month() * 100 + date.day();
}

QDate dateOf(int32_t stored)
{
    const int32_t day = dayNumber(stored);
    return QDate(2000 + day / 10000, (day / 100) % 100, day % 100);
}

int32_t next(int32_t stored)
{
    if (sequence(stored) == kDrawsPerDay) {
        const QDate date = dateOf(stored);
        if (date.isValid())
            return firstOfDay(date.addDays(1));
    }
    return stored + 1;
}

int32_t firstOfDay(const QDate &date) { return dayNumberOf(date) * 1000 + 1; }

QString storedText(int32_t stored)
{
    if (stored < 0)
        return QString::number(stored);
    return QStringLiteral("%1").arg(stored, 9, 10, QLatin1Char('0'));
}

QString displayForm(int32_t stored) { return QStringLiteral("20") + storedText(stored); }

std::optional<int32_t> fromDisplay(const QString &text)
{
    const QString tail = text.trimmed().right(9);
    if (tail.isEmpty())
        return std::nullopt;
    for (QChar c : tail) {
        if (!c.isDigit() || c.unicode() > 127)
            return std::nullopt;
    }
    bool ok = false;
    const int value = tail.toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace quorlent::issue
