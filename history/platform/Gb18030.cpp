#include "Gb18030.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace quorlent::platform {

namespace {

bool isLead(uchar c)
{
    return c >= 0x81 && c <= 0xFE;
}

bool isFourByteSecond(uchar c)
{
    return c >= 0x30 && c <= 0x39;
}

#ifdef Q_OS_WIN
// GB18030 is code page 54936 on every Windows; wine (on which the Windows build is tested) knows
// only GBK, code page 936, which reads every two-byte character the same way.
UINT gbCodePage()
{
    static const UINT page = IsValidCodePage(54936) ? 54936 : 936;
    return page;
}

QString decodeWithCodePage(QByteArrayView bytes)
{
    QString text;
    qsizetype done = 0;
    // MultiByteToWideChar counts in int: decode very large inputs in pieces that end on a
    // character.
    while (done < bytes.size()) {
        QByteArrayView piece =
            bytes.sliced(done, std::min<qsizetype>(bytes.size() - done, 1 << 28));
        if (done + piece.size() < bytes.size())
            piece = piece.first(wholeGb18030Prefix(piece));
        const int in = int(piece.size());
        const int out = MultiByteToWideChar(gbCodePage(), 0, piece.data(), in, nullptr, 0);
        const qsizetype start = text.size();
        text.resize(start + out);
        MultiByteToWideChar(gbCodePage(), 0, piece.data(), in,
                            reinterpret_cast<wchar_t *>(text.data() + start), out);
        done += piece.size();
        if (piece.isEmpty())
            break;
    }
    return text;
}
#endif

} // namespace

std::optional<QByteArray> encodeGb18030(const QString &text)
{
    QStringEncoder qtEncoder("GB18030");
    if (qtEncoder.isValid())
        return QByteArray(qtEncoder(text));
#ifdef Q_OS_WIN
    const auto *wide = reinterpret_cast<const wchar_t *>(text.utf16());
    const int size =
        WideCharToMultiByte(gbCodePage(), 0, wide, int(text.size()), nullptr, 0, nullptr, nullptr);
    QByteArray bytes(size, Qt::Uninitialized);
    WideCharToMultiByte(gbCodePage(), 0, wide, int(text.size()), bytes.data(), size, nullptr,
                        nullptr);
    return bytes;
#else
    return std::nullopt;
#endif
}

bool decodesFourByteGb18030()
{
    if (QStringDecoder("GB18030").isValid())
        return true;
#ifdef Q_OS_WIN
    return gbCodePage() == 54936;
#else
    return false;
#endif
}

qsizetype wholeGb18030Prefix(QByteArrayView bytes)
{
    const auto *b = reinterpret_cast<const uchar *>(bytes.data());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size) {
        if (!isLead(b[i])) { // ASCII, or a byte no character starts with: one byte either way
            ++i;
            continue;
        }
        if (i + 1 >= size)
            break;
        const qsizetype length = isFourByteSecond(b[i + 1]) ? 4 : 2;
        if (i + length > size)
            break;
        i += length;
    }
    return i;
}

std::optional<QString> decodeGb18030(QByteArrayView bytes)
{
    QStringDecoder qtDecoder("GB18030");
    if (qtDecoder.isValid())
        return QString(qtDecoder(bytes));
#ifdef Q_OS_WIN
    return decodeWithCodePage(bytes.first(wholeGb18030Prefix(bytes)));
#else
    return std::nullopt;
#endif
}

} // namespace quorlent::platform
