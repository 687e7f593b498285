#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace quorlent::platform {

// Decodes GB18030 text (GBK and GB2312 are subsets of it: what a Chinese Windows system saves).
// Qt decodes it through ICU where Qt was built with ICU; elsewhere Windows' own code page 54936
// does. A character cut off at the end of `bytes` (a probe of a file's start) is left out, not
// replaced. Nothing when the system offers no GB18030 decoder at all.
std::optional<QString> decodeGb18030(QByteArrayView bytes);

// Encodes text as GB18030 (GBK for every character GBK has); nothing without an encoder.
std::optional<QByteArray> encodeGb18030(const QString &text);

// Whether the characters GB18030 adds to GBK (four bytes each) are decoded too: everywhere but
// under wine, which lacks code page 54936 (there they read as "?").
bool decodesFourByteGb18030();

// How many leading bytes of `bytes` form whole GB18030 characters (one, two or four bytes each).
qsizetype wholeGb18030Prefix(QByteArrayView bytes);

} // namespace quorlent::platform
