#include "HistoryLine.h"

#include "Issue.h"

namespace quorlent {

namespace {

constexpr qsizetype kIssueLength = 9;
constexpr qsizetype kGroupStart = 10; // position 11
constexpr qsizetype kGroupLength = 8; // positions 11-18
constexpr int kLargestGroup = 99999;

bool isAsciiDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

// Blanks only, as the rules say: a tab or another space character is part of the text.
QStringView trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.sliced(begin, end - begin);
}

} // namespace

std::optional<HistoryLine> parseHistoryLine(QStringView line, LineMode mode)
{
    if (mode == LineMode::Rebuild)
        line = trimBlanks(line);
    if (line.size() <= kGroupStart)
        return std::nullopt;

    HistoryLine parsed;
    for (qsizetype i = 0; i < kIssueLength; ++i) {
        if (!isAsciiDigit(line[i]))
            return std::nullopt;
        parsed.sqqh = parsed.sqqh * 10 + (line[i].unicode() - u'0');
    }

    const QStringView group = trimBlanks(line.mid(kGroupStart, kGroupLength));
    if (group.size() < kPositions)
        return std::nullopt;
    int value = 0;
    for (QChar c : group) {
        if (!isAsciiDigit(c))
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0'); // at most eight digits: no overflow
    }
    if (value > kLargestGroup)
        return std::nullopt;
    for (int p = 0; p < kPositions; ++p)
        parsed.digits[p] = static_cast<uint8_t>(group[p].unicode() - u'0');
    return parsed;
}

QString backupLine(int32_t sqqh, const Digits &digits)
{
    return issue::storedText(sqqh) + u' ' + digitText(digits).toQString();
}

QString displayLine(int32_t sqqh, const Digits &digits)
{
    return issue::displayForm(sqqh) + u' ' + digitText(digits).toQString();
}

} // namespace quorlent
