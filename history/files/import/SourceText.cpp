#include "SourceText.h"

#include "Gb18030.h"
#include "ProcessMemory.h"

#include <QStringConverter>
#include <QStringDecoder>
#include <algorithm>
#include <optional>

namespace quorlent::import {

namespace {

constexpr qsizetype kBinaryProbeBytes = 64 * 1024;

std::optional<TextEncoding> markedEncoding(QByteArrayView bytes)
{
    const std::optional<QStringConverter::Encoding> marked =
        QStringConverter::encodingForData(bytes);
    if (!marked)
        return std::nullopt;
    switch (*marked) {
    case QStringConverter::Utf8:
        return TextEncoding::Utf8;
    case QStringConverter::Utf16LE:
        return TextEncoding::Utf16LE;
    case QStringConverter::Utf16BE:
        return TextEncoding::Utf16BE;
    case QStringConverter::Utf32LE:
        return TextEncoding::Utf32LE;
    case QStringConverter::Utf32BE:
        return TextEncoding::Utf32BE;
    default:
        return std::nullopt;
    }
}

QStringConverter::Encoding converterOf(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf16LE:
        return QStringConverter::Utf16LE;
    case TextEncoding::Utf16BE:
        return QStringConverter::Utf16BE;
    case TextEncoding::Utf32LE:
        return QStringConverter::Utf32LE;
    case TextEncoding::Utf32BE:
        return QStringConverter::Utf32BE;
    case TextEncoding::Latin1:
        return QStringConverter::Latin1;
    default:
        return QStringConverter::Utf8;
    }
}

struct Decoded
{
    QString text;
    TextEncoding encoding = TextEncoding::Utf8;
};

// `bytes` may end inside a character (a probe of a file's start): the decoders keep such a tail
// as pending state, it is no error.
Decoded decodeBytes(QByteArrayView bytes)
{
    if (const std::optional<TextEncoding> marked = markedEncoding(bytes)) {
        QStringDecoder decoder(converterOf(*marked));
        return {decoder(bytes), *marked};
    }
    // Decoded into memory given large pages before it is written: a whole history is tens of
    // megabytes of text.
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text(utf8.requiredSpace(bytes.size()), Qt::Uninitialized);
    preferLargePages(text.data(), size_t(text.size()) * sizeof(QChar));
    text.truncate(utf8.appendToBuffer(text.data(), bytes) - text.constData());
    if (!utf8.hasError())
        return {std::move(text), TextEncoding::Utf8};
    if (std::optional<QString> gb = platform::decodeGb18030(bytes))
        return {std::move(*gb), TextEncoding::Gb18030};
    return {QString::fromLatin1(bytes.data(), bytes.size()), TextEncoding::Latin1};
}

bool isNoText(char16_t c)
{
    if (c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f' || c == u'\v')
        return false;
    return c < 0x20 || c == 0x7F || c == 0xFFFD;
}

} // namespace

QString encodingName(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
        return QStringLiteral("UTF-8");
    case TextEncoding::Utf16LE:
        return QStringLiteral("UTF-16LE");
    case TextEncoding::Utf16BE:
        return QStringLiteral("UTF-16BE");
    case TextEncoding::Utf32LE:
        return QStringLiteral("UTF-32LE");
    case TextEncoding::Utf32BE:
        return QStringLiteral("UTF-32BE");
    case TextEncoding::Gb18030:
        return QStringLiteral("GB18030（GBK）");
    case TextEncoding::Latin1:
        return QStringLiteral("Latin-1");
    }
    return {};
}

SourceText SourceText::decode(QByteArrayView bytes)
{
    Decoded decoded = decodeBytes(bytes);
    SourceText source;
    source.m_text = std::move(decoded.text);
    source.m_encoding = decoded.encoding;
    source.indexLines();
    return source;
}

bool SourceText::looksBinary(QByteArrayView bytes)
{
    const QByteArrayView probe = bytes.first(std::min(bytes.size(), kBinaryProbeBytes));
    if (!markedEncoding(probe) && probe.contains('\0'))
        return true;
    const QString text = decodeBytes(probe).text;
    qsizetype noText = 0;
    for (const QChar c : text)
        noText += isNoText(c.unicode()) ? 1 : 0;
    return noText * 20 > text.size();
}

void SourceText::indexLines()
{
    const char16_t *chars = reinterpret_cast<const char16_t *>(m_text.constData());
    const qsizetype size = m_text.size();
    reserveOnLargePages(m_lines, static_cast<size_t>(size / 24 + 1));
    qsizetype start = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = chars[i];
        if (c != u'\n' && c != u'\r')
            continue;
        m_lines.push_back({start, i - start});
        if (c == u'\r' && i + 1 < size && chars[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        m_lines.push_back({start, size - start});
}

} // namespace quorlent::import
