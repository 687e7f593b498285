#include "Game.h"

#include <algorithm>

namespace quorlent {

namespace {

constexpr int kDaysInLongestYear = 366;
constexpr int kFirstYear = 2000;
constexpr int kLastYear = 2099;

bool isAsciiDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

bool allAsciiDigits(QStringView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), isAsciiDigit);
}

int32_t digitsValue(QStringView text)
{
    int32_t value = 0;
    for (QChar c : text)
        value = value * 10 + (c.unicode() - u'0');
    return value;
}

// yymmdd of a day of 2000-2099.
int32_t dayNumberOf(const QDate &day)
{
    return (day.year() % 100) * 10000 + day.month() * 100 + day.day();
}

} // namespace

std::vector<Game> Game::presets()
{
    return {standard(), Game(96, IssueForm::DateSequence2), Game(84, IssueForm::DateSequence3),
            Game(1, IssueForm::YearSequence4)};
}

std::optional<Game> Game::make(int drawsPerDay, IssueForm form)
{
    if (!whyInvalid(drawsPerDay, form).isEmpty())
        return std::nullopt;
    return Game(drawsPerDay, form);
}

QString Game::whyInvalid(int drawsPerDay, IssueForm form)
{
    if (drawsPerDay < 1 || drawsPerDay > kMaxDrawsPerDay)
        return QStringLiteral("每天期数应为 1 到 %1").arg(kMaxDrawsPerDay);
    if (form == IssueForm::DateSequence2 && drawsPerDay > 99)
        return QStringLiteral("两位序号每天最多 99 期");
    // A three-digit sequence within the year holds at most 999 draws.
    if ((form == IssueForm::YearSequence4 || form == IssueForm::YearSequence2) && drawsPerDay > 2)
        return QStringLiteral("按年份编号的期号每天最多 2 期（一年最多 999 期）");
    return {};
}

QString Game::formKey(IssueForm form)
{
    switch (form) {
    case IssueForm::DateSequence3:
        return QStringLiteral("date3");
    case IssueForm::DateSequence2:
        return QStringLiteral("date2");
    case IssueForm::YearSequence4:
        return QStringLiteral("year4");
    case IssueForm::YearSequence2:
        return QStringLiteral("year2");
    }
    return {};
}

std::optional<IssueForm> Game::formOfKey(const QString &key)
{
    for (IssueForm form : {IssueForm::DateSequence3, IssueForm::DateSequence2,
                           IssueForm::YearSequence4, IssueForm::YearSequence2}) {
        if (formKey(form) == key)
            return form;
    }
    return std::nullopt;
}

QString Game::formName(IssueForm form)
{
    switch (form) {
    case IssueForm::DateSequence3:
        return QStringLiteral("日期+三位序号");
    case IssueForm::DateSequence2:
        return QStringLiteral("日期+两位序号");
    case IssueForm::YearSequence4:
        return QStringLiteral("年份+三位序号");
    case IssueForm::YearSequence2:
        return QStringLiteral("两位年份+三位序号");
    }
    return {};
}

std::optional<IssueForm> Game::formOfText(QStringView text)
{
    // parse() reads each length for one date form only, and the year forms alike; which of the
    // year forms a text is written in is the length of its year.
    for (const Game &game :
         {Game(kMaxDrawsPerDay, IssueForm::DateSequence3), Game(99, IssueForm::DateSequence2)}) {
        if (game.parse(text))
            return game.form();
    }
    if (!Game(1, IssueForm::YearSequence4).parse(text))
        return std::nullopt;
    text = text.trimmed();
    const qsizetype cut = std::max(text.lastIndexOf(u'-'), text.lastIndexOf(u'/'));
    const qsizetype yearDigits = cut > 0 ? cut : text.size() - 3;
    return yearDigits == 4 ? IssueForm::YearSequence4 : IssueForm::YearSequence2;
}

QString Game::scheduleName() const
{
    if (isStandard())
        return QStringLiteral("时时彩（每天 120 期）");
    switch (m_form) {
    case IssueForm::DateSequence3:
        return QStringLiteral("每天 %1 期（期号 日期+三位序号）").arg(m_drawsPerDay);
    case IssueForm::DateSequence2:
        return QStringLiteral("每天 %1 期（期号 日期+两位序号）").arg(m_drawsPerDay);
    case IssueForm::YearSequence4:
    case IssueForm::YearSequence2: {
        const QString year = m_form == IssueForm::YearSequence4 ? QStringLiteral("年份")
                                                                : QStringLiteral("两位年份");
        if (m_drawsPerDay == 1)
            return QStringLiteral("每天一期（期号 %1+年内序号）").arg(year);
        return QStringLiteral("每天 %1 期（期号 %2+年内序号）").arg(m_drawsPerDay).arg(year);
    }
    }
    return {};
}

QString Game::formHint() const
{
    switch (m_form) {
    case IssueForm::DateSequence3:
        return QStringLiteral("期号应为 日期+三位序号，如 20160908078");
    case IssueForm::DateSequence2:
        return QStringLiteral("期号应为 日期+两位序号，如 2017032801");
    case IssueForm::YearSequence4:
        return QStringLiteral("期号应为 年份+三位序号，如 2026101");
    case IssueForm::YearSequence2:
        return QStringLiteral("期号应为 两位年份+三位序号，如 26101");
    }
    return {};
}

QString Game::entryHint() const
{
    return isStandard() ? QStringLiteral("请输入十一位期号") : formHint();
}

QString Game::notAnIssue(const QString &entry) const
{
    if (isStandard())
        return QStringLiteral("“%1”不是十一位期号").arg(entry);
    return QStringLiteral("“%1”不是本彩种的期号（%2）").arg(entry, formHint());
}

QString Game::exampleIssue(int32_t stored) const
{
    return isStandard() ? QStringLiteral("20160908078") : displayForm(stored);
}

int Game::sequence(int32_t stored) const
{
    return stored % sequenceScale();
}

int Game::year(int32_t stored) const
{
    const int32_t period = periodOf(stored);
    return kFirstYear + (numbersByYear() ? period : period / 10000);
}

QDate Game::dateOf(int32_t stored) const
{
    if (numbersByYear())
        return {};
    const int32_t day = periodOf(stored);
    return QDate(kFirstYear + day / 10000, (day / 100) % 100, day % 100);
}

int32_t Game::issueOfDay(const QDate &day, int seq) const
{
    return dayNumberOf(day) * sequenceScale() + seq;
}

int32_t Game::issueOfYear(int yr, int seq) const
{
    return (yr % 100) * sequenceScale() + seq;
}

int Game::lastSequence() const
{
    if (numbersByYear())
        return std::min(999, kDaysInLongestYear * m_drawsPerDay);
    return m_drawsPerDay;
}

bool Game::exists(int32_t stored) const
{
    return whyNotExists(stored).isEmpty();
}

QString Game::whyNotExists(int32_t stored) const
{
    if (stored < 1)
        return QStringLiteral("期号 %1 不存在").arg(stored);
    const int seq = sequence(stored);
    if (seq < 1)
        return QStringLiteral("序号 %1 不存在").arg(seq, sequenceDigits(), 10, QLatin1Char('0'));
    if (numbersByYear()) {
        if (periodOf(stored) > kLastYear - kFirstYear)
            return QStringLiteral("期号 %1 的年份不存在").arg(stored);
        if (seq > lastSequence())
            return QStringLiteral("一年没有第 %1 期").arg(seq);
        return {};
    }
    if (!dateOf(stored).isValid())
        return QStringLiteral("期号 %1 的日期不存在").arg(displayForm(stored));
    if (seq > m_drawsPerDay)
        return QStringLiteral("每天 %1 期，序号 %2 不存在").arg(m_drawsPerDay).arg(seq);
    return {};
}

int32_t Game::next(int32_t stored, const QDate &today) const
{
    const int seq = sequence(stored);
    if (numbersByYear()) {
        const int yr = year(stored);
        if (today.isValid() && today.year() > yr && yr < kLastYear)
            return issueOfYear(yr + 1, 1);
        if (seq >= 999 && yr < kLastYear)
            return issueOfYear(yr + 1, 1);
        return stored + 1;
    }
    // The day's last draw rolls over to 001 of the next calendar day; so does a sequence whose
    // digits are full, which has no plain successor in the same day.
    if (seq == m_drawsPerDay || seq == sequenceScale() - 1) {
        const QDate day = dateOf(stored);
        if (day.isValid())
            return issueOfDay(day.addDays(1), 1);
    }
    return stored + 1;
}

int32_t Game::first(const QDate &today) const
{
    return numbersByYear() ? issueOfYear(today.year(), 1) : issueOfDay(today, 1);
}

int Game::storedLength() const
{
    switch (m_form) {
    case IssueForm::DateSequence3:
        return 9;
    case IssueForm::DateSequence2:
        return 8;
    case IssueForm::YearSequence4:
    case IssueForm::YearSequence2:
        return 5;
    }
    return 9;
}

int Game::displayLength() const
{
    return m_form == IssueForm::YearSequence2 ? storedLength() : storedLength() + 2;
}

QString Game::storedText(int32_t stored) const
{
    if (stored < 0)
        return QString::number(stored);
    return QStringLiteral("%1").arg(stored, storedLength(), 10, QLatin1Char('0'));
}

QString Game::displayForm(int32_t stored) const
{
    if (m_form == IssueForm::YearSequence2)
        return storedText(stored);
    return QStringLiteral("20") + storedText(stored);
}

std::optional<int32_t> Game::fromDisplay(QStringView text) const
{
    text = text.trimmed();
    if (!isStandard() && text.size() != displayLength() && text.size() != storedLength())
        return std::nullopt;
    const QStringView tail = text.right(storedLength());
    if (!allAsciiDigits(tail))
        return std::nullopt;
    if (!isStandard() && text.size() == displayLength() && displayLength() > storedLength() &&
        text.left(2) != u"20")
        return std::nullopt;
    return digitsValue(tail);
}

std::optional<int32_t> Game::parse(QStringView text) const
{
    text = text.trimmed();
    // The date and the sequence may be set apart: "20160116-023", "2026/101".
    const qsizetype cut = std::max(text.lastIndexOf(u'-'), text.lastIndexOf(u'/'));
    if (cut > 0) {
        const QStringView head = text.first(cut);
        const QStringView seq = text.sliced(cut + 1);
        if (!allAsciiDigits(head) || !allAsciiDigits(seq) || seq.size() != sequenceDigits())
            return std::nullopt;
        const int periodDigits = numbersByYear() ? 2 : 6;
        if (head.size() != periodDigits && head.size() != periodDigits + 2)
            return std::nullopt;
        if (head.size() == periodDigits + 2 && head.left(2) != u"20")
            return std::nullopt;
        return digitsValue(head.right(periodDigits)) * sequenceScale() + digitsValue(seq);
    }
    if (!allAsciiDigits(text))
        return std::nullopt;
    // Both year forms are read in either length: files of one game write "2026101" or "26101".
    const int shortLength = storedLength();
    const int longLength = storedLength() + 2;
    if (text.size() == longLength && text.left(2) == u"20")
        return digitsValue(text.right(shortLength));
    if (text.size() == shortLength)
        return digitsValue(text);
    return std::nullopt;
}

} // namespace quorlent
