#pragma once

#include <QDate>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <vector>

namespace quorlent {

// How a game writes the issue number of a draw.
enum class IssueForm : uint8_t
{
    DateSequence3, // date + three-digit sequence of the day: "20160908078"
    DateSequence2, // date + two-digit sequence of the day: "2017032801"
    YearSequence4, // four-digit year + three-digit sequence within the year: "2026101"
    YearSequence2, // two-digit year + three-digit sequence within the year: "26101"
};

// A game's schedule and issue numbers: how many draws a day, and how an issue is written. Every
// rule that depends on them lives here; nothing else in the program knows 120 or an issue's digits.
//
// The stored form of an issue (the SQQH column) is the issue's digits with a two-digit year:
// yymmdd followed by the sequence for the date forms (nine digits for three-digit sequences, so
// the original game is stored as it always was; eight for two-digit ones), yy followed by the
// three-digit sequence for the year forms. It sorts chronologically within a game and its plain
// successor is the next sequence, which is what QQH holds. Years are 2000-2099.
class Game
{
  public:
    static constexpr int kMaxDrawsPerDay = 999;

    // The original game: 120 draws a day, date + three-digit sequence.
    static constexpr Game standard() { return Game(120, IssueForm::DateSequence3); }
    // A game with this schedule, or nothing when it cannot be (see whyInvalid).
    static std::optional<Game> make(int drawsPerDay, IssueForm form);
    // Why no game has this schedule ("两位序号每天最多 99 期"), or empty when one has.
    static QString whyInvalid(int drawsPerDay, IssueForm form);
    // The schedules offered by name: the original game, 96 a day with two-digit sequences, 84 a
    // day, one a day numbered by year.
    static std::vector<Game> presets();
    // The form's stored name ("date3", "date2", "year4", "year2") and back.
    static QString formKey(IssueForm form);
    static std::optional<IssueForm> formOfKey(const QString &key);
    // How the interface names the form: "日期+三位序号", "年份+三位序号".
    static QString formName(IssueForm form);
    // The form an issue text of a file is written in, in any of the ways parse() reads: the date
    // forms told apart by their lengths, the year forms by the digits of the year (four:
    // YearSequence4, two: YearSequence2). Nothing when no form reads it; says nothing on whether
    // the draw can exist.
    static std::optional<IssueForm> formOfText(QStringView text);

    constexpr int drawsPerDay() const { return m_drawsPerDay; }
    constexpr IssueForm form() const { return m_form; }
    bool isStandard() const { return *this == standard(); }
    // Numbered by year and sequence: the date of a draw is not in its issue and is kept beside it.
    bool numbersByYear() const
    {
        return m_form == IssueForm::YearSequence4 || m_form == IssueForm::YearSequence2;
    }
    // More than one draw a day: the draw k of each day (同期号) means something.
    bool hasDrawsOfADay() const { return m_drawsPerDay > 1; }

    // The schedule as the interface names it ("时时彩（每天 120 期）", "每天一期（期号
    // 年份+年内序号）").
    QString scheduleName() const;
    // What a refused issue is told: "期号应为 年份+三位序号，如 2026101".
    QString formHint() const;
    // What an issue box that cannot be read asks for: the original game's "请输入十一位期号",
    // formHint() for the others.
    QString entryHint() const;
    // What an entry that is no issue of the game is told: "“2016”不是十一位期号", or for the
    // others "“2016”不是本彩种的期号（期号应为 …）".
    QString notAnIssue(const QString &entry) const;
    // The issue a prompt gives as its example: the original game's prompts have always shown
    // 20160908078; another game shows `stored`, an issue of the history at hand.
    QString exampleIssue(int32_t stored) const;
    // The text an issue box is made wide enough for: the longest issue any game shows, the
    // original game's eleven digits.
    static QString widestIssue() { return standard().displayForm(0); }

    // ---- The parts of a stored issue ----
    int sequence(int32_t stored) const;
    // Digits the sequence is written with: 3, or 2.
    int sequenceDigits() const { return m_form == IssueForm::DateSequence2 ? 2 : 3; }
    // The four-digit year of the draw.
    int year(int32_t stored) const;
    // The calendar day of a date-numbered draw; invalid for a year-numbered one, or when the
    // digits name no real day.
    QDate dateOf(int32_t stored) const;
    // The day a draw was drawn on: its issue says it, or, numbered by year, the date kept beside
    // it as yyyymmdd (`keptDate`, 0 when not known: an invalid day).
    QDate dayOf(int32_t stored, int32_t keptDate) const
    {
        return numbersByYear() ? dateOfNumber(keptDate) : dateOf(stored);
    }
    // A kept date's yyyymmdd and back; 0 and an invalid day stand for each other.
    static int32_t dateNumber(const QDate &day)
    {
        return day.isValid() ? day.year() * 10000 + day.month() * 100 + day.day() : 0;
    }
    static QDate dateOfNumber(int32_t date)
    {
        return date > 0 ? QDate(date / 10000, date / 100 % 100, date % 100) : QDate();
    }
    // The stored issue of a day's draw `sequence` (date forms), or of the year's (year forms).
    int32_t issueOfDay(const QDate &day, int sequence) const;
    int32_t issueOfYear(int year, int sequence) const;
    // The largest sequence that can exist: draws a day for the date forms, for the year forms as
    // many as the days of a year allow (and three digits hold).
    int lastSequence() const;
    // Whether the draw can exist: a sequence from 1 to lastSequence() and, for the date forms, a
    // real calendar day.
    bool exists(int32_t stored) const;
    // Why it cannot ("每天 96 期，序号 97 不存在"), empty when it can.
    QString whyNotExists(int32_t stored) const;

    // ---- Succession ----
    // The issue the next draw gets after `stored`. Date forms: after the day's last draw the next
    // day's first, otherwise the plain successor (a sequence beyond the schedule included, unless
    // its digits are full). Year forms: the next sequence of the same year, and the next year's
    // first when the clock's year (`today`) is later than the draw's year.
    int32_t next(int32_t stored, const QDate &today) const;
    // The first issue of an empty history: today's first draw, or this year's.
    int32_t first(const QDate &today) const;

    // ---- Text forms ----
    // Digits of the stored form: 9, 8 or 5.
    int storedLength() const;
    // Digits of the shown form: 11, 10, 7 or 5.
    int displayLength() const;
    // The stored digits, zero-padded ("070908078").
    QString storedText(int32_t stored) const;
    // The issue as the game writes it ("20160908078", "2017032801", "2026101", "26101").
    QString displayForm(int32_t stored) const;
    // A shown or typed issue back to its stored form: the last storedLength() characters, which
    // must be ASCII digits. The original game reads any text so; the others want the shown or
    // the stored form whole. Says nothing on whether the draw can exist.
    std::optional<int32_t> fromDisplay(QStringView text) const;
    // The issue forms found in files and pages: the shown form, the stored form, a dash or slash
    // between date and sequence ("20160116-023"), for the year forms a two- or four-digit year.
    std::optional<int32_t> parse(QStringView text) const;

    bool operator==(const Game &) const = default;

  private:
    constexpr Game(int drawsPerDay, IssueForm form) : m_drawsPerDay(drawsPerDay), m_form(form) {}
    int32_t sequenceScale() const { return m_form == IssueForm::DateSequence2 ? 100 : 1000; }
    int32_t periodOf(int32_t stored) const { return stored / sequenceScale(); }

    int m_drawsPerDay = 120;
    IssueForm m_form = IssueForm::DateSequence3;
};

} // namespace quorlent
