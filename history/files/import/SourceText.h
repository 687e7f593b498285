#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <vector>

namespace quorlent::import {

// The character set a file was found to be written in.
enum class TextEncoding : uint8_t
{
    Utf8,
    Utf16LE,
    Utf16BE,
    Utf32LE,
    Utf32BE,
    Gb18030, // GBK files are GB18030 files: a file saved on a Chinese Windows system
    Latin1,  // only where the system offers no GB18030 decoder
};

// How the preview names it: "UTF-8", "GB18030（GBK）".
QString encodingName(TextEncoding encoding);

// A file's text, decoded once, and where each of its lines lies in it.
class SourceText
{
  public:
    SourceText() = default;

    // A byte-order mark says UTF-8, UTF-16 or UTF-32 (and is not part of the first line);
    // without one, bytes that are valid UTF-8 are UTF-8 and any others GB18030. Lines end in
    // CR LF, LF or CR; an ending after the last line starts no further line.
    static SourceText decode(QByteArrayView bytes);

    // Whether the bytes are no text at all: a NUL byte where no byte-order mark announces a wide
    // encoding, or more than one character in twenty a control or undecodable one. Looks at
    // the first 64 KB only.
    static bool looksBinary(QByteArrayView bytes);

    TextEncoding encoding() const { return m_encoding; }
    qsizetype lineCount() const { return static_cast<qsizetype>(m_lines.size()); }
    // The line without its ending; `index` counts from 0.
    QStringView line(qsizetype index) const
    {
        const Span &span = m_lines[static_cast<size_t>(index)];
        return QStringView(m_text).sliced(span.start, span.length);
    }
    // Where the line starts in the text, for limits counted in characters.
    qsizetype lineStart(qsizetype index) const { return m_lines[static_cast<size_t>(index)].start; }

  private:
    struct Span
    {
        qsizetype start = 0;
        qsizetype length = 0;
    };

    void indexLines();

    QString m_text;
    std::vector<Span> m_lines;
    TextEncoding m_encoding = TextEncoding::Utf8;
};

} // namespace quorlent::import
