#include "RemainingText.h"

namespace quorlent::filter {

QString remainingText(const std::vector<uint32_t> &values, int digitCount, TextLayout layout)
{
    if (values.empty() || digitCount <= 0)
        return {};
    const char16_t separator = layout == TextLayout::Lines ? u'\n' : u' ';
    const auto width = qsizetype(digitCount);
    // Written in place: a hundred thousand numbers go to the clipboard in a few milliseconds.
    QString text(qsizetype(values.size()) * (width + 1) - 1, Qt::Uninitialized);
    QChar *out = text.data();
    for (size_t i = 0; i < values.size(); ++i) {
        uint32_t v = values[i];
        for (qsizetype d = width; d-- > 0; v /= 10)
            out[d] = QChar(char16_t(u'0' + v % 10));
        out += width;
        if (i + 1 < values.size())
            *out++ = QChar(separator);
    }
    return text;
}

} // namespace quorlent::filter
