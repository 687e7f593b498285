#include "ValueList.h"

#include <QRegularExpression>
#include <QStringList>

namespace quorlent::filter {

namespace {

// Half-width forms, commas for every separator, and no blanks around the range and ratio signs,
// so that what is left splits at commas and blanks into the items the user meant.
QStringList itemsOf(const QString &text)
{
    QString plain;
    plain.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= u'０' && u <= u'９')
            plain += QChar(u'0' + (u - u'０'));
        else if (u == u'－' || u == u'～' || u == u'—' || u == u'~')
            plain += u'-';
        else if (u == u'：')
            plain += u':';
        else if (u == u'，' || u == u'、' || u == u'；' || u == u';')
            plain += u',';
        else
            plain += c;
    }
    static const QRegularExpression aroundSigns(QStringLiteral("\\s*([-:])\\s*"));
    plain.replace(aroundSigns, QStringLiteral("\\1"));
    static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
    return plain.split(separators, Qt::SkipEmptyParts);
}

// A whole number of at most six digits, or -1.
int numberOf(const QString &item)
{
    if (item.isEmpty() || item.size() > 6)
        return -1;
    for (QChar c : item) {
        if (c < u'0' || c > u'9')
            return -1;
    }
    return item.toInt();
}

QString unreadable(const QString &label, const QString &item, const QString &example)
{
    return QStringLiteral("%1「%2」无法识别（应写成如 %3）").arg(label, item, example);
}

} // namespace

ValueListReading readValues(const QString &text, int low, int high, const QString &label)
{
    ValueListReading reading;
    const QStringList items = itemsOf(text);
    if (items.isEmpty()) {
        reading.error = QStringLiteral("%1没有给出任何值").arg(label);
        return reading;
    }
    for (const QString &item : items) {
        const QStringList ends = item.split(u'-');
        const int first = ends.size() <= 2 ? numberOf(ends.front()) : -1;
        const int last = ends.size() == 2 ? numberOf(ends.back()) : first;
        if (first < 0 || last < 0) {
            reading.error = unreadable(label, item, QStringLiteral("10-14, 20"));
            return reading;
        }
        if (last < first) {
            reading.error = QStringLiteral("%1范围 %2-%3 上下颠倒").arg(label).arg(first).arg(last);
            return reading;
        }
        if (first < low || last > high) {
            reading.error =
                QStringLiteral("%1 %2 超出可能的范围 %3-%4").arg(label, item).arg(low).arg(high);
            return reading;
        }
        for (int v = first; v <= last; ++v)
            reading.mask |= uint64_t(1) << v;
    }
    return reading;
}

ValueListReading readRatios(const QString &text, int terms, int total, const QString &label)
{
    ValueListReading reading;
    const QStringList items = itemsOf(text);
    if (items.isEmpty()) {
        reading.error = QStringLiteral("%1没有给出任何比例").arg(label);
        return reading;
    }
    const QString example = terms == 3 ? QStringLiteral("2:2:1") : QStringLiteral("2:3, 3:2");
    for (const QString &item : items) {
        const QStringList parts = item.split(u':');
        int values[3] = {0, 0, 0};
        int sum = 0;
        bool readable = parts.size() == terms;
        for (int i = 0; readable && i < terms; ++i) {
            values[i] = numberOf(parts[i]);
            readable = values[i] >= 0;
            sum += values[i];
        }
        if (!readable) {
            reading.error = unreadable(label, item, example);
            return reading;
        }
        if (sum != total) {
            reading.error = QStringLiteral("%1 %2 各项之和应为 %3").arg(label, item).arg(total);
            return reading;
        }
        const int bit = terms == 3 ? values[0] * (total + 1) + values[1] : values[0];
        reading.mask |= uint64_t(1) << bit;
    }
    return reading;
}

} // namespace quorlent::filter
