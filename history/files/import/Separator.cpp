#include "Separator.h"

namespace quorlent::import {

namespace {

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == 0x3000 || c == 0x00A0;
}

bool separates(char16_t c, Separator separator)
{
    switch (separator) {
    case Separator::Tab:
        return c == u'\t';
    case Separator::Comma:
        return c == u',' || c == u'，';
    case Separator::Semicolon:
        return c == u';' || c == u'；';
    case Separator::Blanks:
        return isBlank(c);
    }
    return false;
}

QStringView trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin].unicode()))
        ++begin;
    while (end > begin && isBlank(text[end - 1].unicode()))
        --end;
    return text.sliced(begin, end - begin);
}

// Spreadsheets keep a leading zero by writing ="09033"; sites quote every field.
QStringView unquote(QStringView field)
{
    field = trimBlanks(field);
    if (field.size() >= 3 && field[0] == u'=' && field[1] == u'"')
        field = field.sliced(1);
    if (field.size() >= 2 && field.front() == u'"' && field.back() == u'"')
        field = trimBlanks(field.sliced(1, field.size() - 2));
    return field;
}

} // namespace

QString separatorName(Separator separator)
{
    switch (separator) {
    case Separator::Tab:
        return QStringLiteral("制表符");
    case Separator::Comma:
        return QStringLiteral("逗号");
    case Separator::Semicolon:
        return QStringLiteral("分号");
    case Separator::Blanks:
        return QStringLiteral("空格");
    }
    return {};
}

void splitFields(QStringView line, Separator separator, std::vector<QStringView> &fields)
{
    fields.clear();
    const qsizetype size = line.size();
    if (separator == Separator::Blanks) {
        qsizetype i = 0;
        while (i < size) {
            while (i < size && isBlank(line[i].unicode()))
                ++i;
            const qsizetype start = i;
            while (i < size && !isBlank(line[i].unicode()))
                ++i;
            if (i > start)
                fields.push_back(unquote(line.sliced(start, i - start)));
        }
        return;
    }
    qsizetype start = 0;
    while (true) {
        qsizetype i = start;
        while (i < size && line[i] == u' ')
            ++i;
        if (i + 1 < size && line[i] == u'=' && line[i + 1] == u'"')
            ++i;
        bool quoted = i < size && line[i] == u'"';
        if (quoted)
            ++i;
        for (; i < size; ++i) {
            const char16_t c = line[i].unicode();
            if (quoted) {
                if (c == u'"') {
                    if (i + 1 < size && line[i + 1] == u'"')
                        ++i; // a doubled quote is a quote inside the field
                    else
                        quoted = false;
                }
                continue;
            }
            if (separates(c, separator))
                break;
        }
        fields.push_back(unquote(line.sliced(start, i - start)));
        if (i >= size)
            return;
        start = i + 1;
    }
}

} // namespace quorlent::import
