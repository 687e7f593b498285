#include "HistoryLine.h"

#include <QDate>

namespace quorlent {

namespace {

constexpr qsizetype kGroupLength = 8; // positions 11-18 after a nine-digit issue
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

std::optional<HistoryLine> parseHistoryLine(QStringView line, LineMode mode, const Game &game)
{
    const qsizetype issueLength = game.storedLength();
    const qsizetype groupStart = issueLength + 1;
    if (mode == LineMode::Rebuild)
        line = trimBlanks(line);
    if (line.size() <= groupStart)
        return std::nullopt;

    HistoryLine parsed;
    for (qsizetype i = 0; i < issueLength; ++i) {
        if (!isAsciiDigit(line[i]))
            return std::nullopt;
        parsed.sqqh = parsed.sqqh * 10 + (line[i].unicode() - u'0');
    }

    const QStringView group = trimBlanks(line.mid(groupStart, kGroupLength));
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

QString backupLine(int32_t sqqh, const Digits &digits, const Game &game)
{
    return game.storedText(sqqh) + u' ' + digitText(digits).toQString();
}

QString displayLine(int32_t sqqh, const Digits &digits, const Game &game, int32_t date)
{
    QString line = game.displayForm(sqqh) + u' ' + digitText(digits).toQString();
    if (game.numbersByYear() && date != 0) {
        const QDate day = Game::dateOfNumber(date);
        if (day.isValid())
            line += u' ' + day.toString(QStringLiteral("yyyy-MM-dd"));
    }
    return line;
}

} // namespace quorlent
