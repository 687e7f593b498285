#include "Clock.h"

namespace quorlent {

QDateTime currentDateTime()
{
    const QByteArray fixed = qgetenv("QUORLENT_NOW");
    if (!fixed.isEmpty()) {
        const QDateTime parsed = QDateTime::fromString(QString::fromLatin1(fixed), Qt::ISODate);
        if (parsed.isValid())
            return parsed;
    }
    return QDateTime::currentDateTime();
}

} // namespace quorlent
