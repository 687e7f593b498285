#pragma once

#include <QDate>
#include <QString>
#include <ostream>

// Readable failure messages for the Qt types these tests compare.
inline void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QDate &date, std::ostream *os) { *os << date.toString(Qt::ISODate).toStdString(); }
