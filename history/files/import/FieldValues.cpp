#include "FieldValues.h"

#include <algorithm>
#include <array>

namespace quorlent::import {

namespace {

bool isAsciiDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

bool separatesDigits(char16_t c)
{
    return c == u',' || c == u'，' || c == u' ' || c == u'|' || c == u'、' || c == u'-' ||
           c == u'\t' || c == 0x3000;
}

QString countReason(qsizetype count)
{
    return count < kPositions ? QStringLiteral("开奖号码只有 %1 位").arg(count)
                              : QStringLiteral("开奖号码有 %1 位").arg(count);
}

// A run of ASCII digits from `at`: its value and length; at most nine digits are summed.
struct Run
{
    int value = 0;
    qsizetype length = 0;
};

Run digitRun(QStringView text, qsizetype at)
{
    Run run;
    while (at + run.length < text.size() && isAsciiDigit(text[at + run.length])) {
        if (run.length < 9)
            run.value = run.value * 10 + (text[at + run.length].unicode() - u'0');
        ++run.length;
    }
    return run;
}

bool endsDate(QStringView rest)
{
    if (rest.isEmpty())
        return true;
    const char16_t c = rest.front().unicode();
    return c == u' ' || c == u'T' || c == 0x3000 || c == u'\t';
}

QDate dateOf(int year, int month, int day)
{
    if (year < 1900 || year > 2099)
        return {};
    return QDate(year, month, day);
}

} // namespace

bool hasAsciiDigit(QStringView text)
{
    for (const QChar c : text) {
        if (isAsciiDigit(c))
            return true;
    }
    return false;
}

std::optional<Digits> readDigitGroup(QStringView field, QString *why)
{
    const auto fail = [&](const QString &reason) -> std::optional<Digits> {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    if (field.isEmpty())
        return fail(QStringLiteral("没有开奖号码"));
    Digits digits{};
    const Run whole = digitRun(field, 0);
    if (whole.length == field.size()) {
        if (field.size() != kPositions)
            return fail(countReason(field.size()));
        for (int p = 0; p < kPositions; ++p)
            digits[p] = static_cast<uint8_t>(field[p].unicode() - u'0');
        return digits;
    }
    // Single digits set apart: every piece between separators one digit.
    qsizetype count = 0;
    bool single = true;
    qsizetype i = 0;
    while (i < field.size()) {
        if (separatesDigits(field[i].unicode())) {
            ++i;
            continue;
        }
        const Run run = digitRun(field, i);
        if (run.length != 1) {
            single = false;
            break;
        }
        if (count < kPositions)
            digits[count] = static_cast<uint8_t>(run.value);
        ++count;
        i += 1;
    }
    if (!single)
        return fail(QStringLiteral("开奖号码 %1 不是五个数字").arg(field));
    if (count != kPositions)
        return fail(countReason(count));
    return digits;
}

std::optional<uint8_t> readDigit(QStringView field)
{
    if (field.size() != 1 || !isAsciiDigit(field[0]))
        return std::nullopt;
    return static_cast<uint8_t>(field[0].unicode() - u'0');
}

QDate readDate(QStringView field)
{
    const Run year = digitRun(field, 0);
    if (year.length == 8 && endsDate(field.sliced(8)))
        return dateOf(year.value / 10000, year.value / 100 % 100, year.value % 100);
    if (year.length != 4)
        return {};
    static constexpr std::array<char16_t, 5> kParts{u'-', u'/', u'.', u'年', u'月'};
    const auto isPart = [](QChar c) {
        return std::find(kParts.begin(), kParts.end(), c.unicode()) != kParts.end();
    };
    qsizetype at = 4;
    std::array<int, 2> monthDay{};
    for (int &part : monthDay) {
        if (at >= field.size() || !isPart(field[at]))
            return {};
        const Run run = digitRun(field, ++at);
        if (run.length < 1 || run.length > 2)
            return {};
        part = run.value;
        at += run.length;
    }
    if (at < field.size() && field[at] == u'日')
        ++at;
    if (!endsDate(field.sliced(at)))
        return {};
    return dateOf(year.value, monthDay[0], monthDay[1]);
}

Game widestGame(IssueForm form)
{
    switch (form) {
    case IssueForm::DateSequence3:
        return *Game::make(Game::kMaxDrawsPerDay, form);
    case IssueForm::DateSequence2:
        return *Game::make(99, form);
    case IssueForm::YearSequence4:
    case IssueForm::YearSequence2:
        return *Game::make(2, form);
    }
    return Game::standard();
}

QStringView bareIssue(QStringView field)
{
    if (field.startsWith(u'第'))
        field = field.sliced(1);
    if (field.endsWith(u'期'))
        field.chop(1);
    return field.trimmed();
}

std::optional<IssueForm> issueFormOf(QStringView field)
{
    field = bareIssue(field);
    const std::optional<IssueForm> form = Game::formOfText(field);
    if (!form)
        return std::nullopt;
    const Game game = widestGame(*form);
    const std::optional<int32_t> stored = game.parse(field);
    if (!stored || !game.exists(*stored))
        return std::nullopt;
    return form;
}

} // namespace quorlent::import
