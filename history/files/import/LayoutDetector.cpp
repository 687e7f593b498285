#include "LayoutDetector.h"

#include "FieldValues.h"

#include <algorithm>
#include <array>

namespace quorlent::import {

namespace {

constexpr int kMostColumns = 64;

bool splitsTokens(char16_t c)
{
    return c == u',' || c == u'，' || c == u';' || c == u'；' || c == u'\t' || c == u' ' ||
           c == 0x3000 || c == 0x00A0 || c == u'|';
}

// The line's pieces whatever sets them apart, without quotes: enough to tell a draw from prose
// before the separator is known.
void splitTokens(QStringView line, std::vector<QStringView> &tokens)
{
    tokens.clear();
    qsizetype i = 0;
    while (i < line.size()) {
        while (i < line.size() && splitsTokens(line[i].unicode()))
            ++i;
        qsizetype start = i;
        while (i < line.size() && !splitsTokens(line[i].unicode()))
            ++i;
        qsizetype end = i;
        while (start < end && (line[start] == u'"' || line[start] == u'='))
            ++start;
        while (end > start && line[end - 1] == u'"')
            --end;
        if (end > start)
            tokens.push_back(line.sliced(start, end - start));
    }
}

int issueToken(const std::vector<QStringView> &tokens)
{
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (!readDate(tokens[i]).isValid() && issueFormOf(tokens[i]))
            return static_cast<int>(i);
    }
    return -1;
}

bool looksLikeDraw(QStringView line, std::vector<QStringView> &tokens)
{
    if (!hasAsciiDigit(line))
        return false;
    splitTokens(line, tokens);
    const int issue = issueToken(tokens);
    if (issue < 0)
        return false;
    int singles = 0;
    for (int i = 0; i < static_cast<int>(tokens.size()); ++i) {
        if (i == issue)
            continue;
        const QStringView token = tokens[static_cast<size_t>(i)];
        if (token.size() == kPositions && readDigitGroup(token))
            return true;
        singles = readDigit(token) ? singles + 1 : 0;
        if (singles == kPositions)
            return true;
    }
    return false;
}

struct ColumnStats
{
    int filled = 0;
    int dates = 0;
    int groups = 0;
    int singles = 0;
    std::array<int, 4> forms{};
    int ascending = 0;
    int descending = 0;
    std::optional<IssueForm> lastForm;
    int32_t lastIssue = 0;

    bool enough(int rows) const { return filled * 2 >= rows; }
    bool mostly(int count) const { return count * 10 >= filled * 8; }
    int issues() const { return forms[0] + forms[1] + forms[2] + forms[3]; }
    bool inOrder() const
    {
        const int pairs = ascending + descending;
        return pairs == 0 || std::max(ascending, descending) * 10 >= pairs * 8;
    }
};

using Row = std::vector<QStringView>;

void count(ColumnStats &stats, QStringView field)
{
    if (field.isEmpty())
        return;
    ++stats.filled;
    // A date column is told first; a date can still read as a two-digit-sequence issue, and a
    // column of those must not lose the days that happen to look like dates.
    if (readDate(field).isValid())
        ++stats.dates;
    if (readDigitGroup(field))
        ++stats.groups;
    if (readDigit(field))
        ++stats.singles;
    if (const std::optional<IssueForm> form = issueFormOf(field)) {
        ++stats.forms[static_cast<size_t>(*form)];
        const int32_t issue = *widestGame(*form).parse(bareIssue(field));
        if (stats.lastForm == form) {
            stats.ascending += issue > stats.lastIssue ? 1 : 0;
            stats.descending += issue < stats.lastIssue ? 1 : 0;
        }
        stats.lastForm = form;
        stats.lastIssue = issue;
    }
}

struct Candidate
{
    TableLayout layout;
    int draws = 0;

    // Where no separator reads a draw, the one that finds the most columns' roles.
    std::pair<int, qsizetype> score() const
    {
        return {draws, std::count_if(layout.roles.begin(), layout.roles.end(),
                                     [](ColumnRole r) { return r != ColumnRole::Other; })};
    }
};

// Roles for the columns of `rows`, and how many of them then give a draw.
Candidate typeColumns(const std::vector<Row> &rows, Separator separator, const QStringList &header)
{
    Candidate candidate;
    candidate.layout.separator = separator;
    size_t columns = 0;
    for (const Row &row : rows)
        columns = std::max(columns, std::min(row.size(), size_t(kMostColumns)));
    std::vector<ColumnStats> stats(columns);
    for (const Row &row : rows) {
        for (size_t c = 0; c < row.size() && c < columns; ++c)
            count(stats[c], row[c]);
    }
    const int rowCount = static_cast<int>(rows.size());
    std::vector<ColumnRole> &roles = candidate.layout.roles;
    roles.assign(columns, ColumnRole::Other);
    const auto free = [&](size_t c) { return roles[c] == ColumnRole::Other; };

    for (size_t c = 0; c < columns; ++c) {
        if (stats[c].enough(rowCount) && stats[c].filled > 0 && stats[c].mostly(stats[c].dates)) {
            roles[c] = ColumnRole::Date;
            break;
        }
    }
    // Of the columns that could hold issues (of any form: a row of another form than the game's
    // is the row's fault): one whose values run in order, then one whose values are not five
    // digits (a draw can read as a two-digit-year issue), then the leftmost.
    int issue = -1;
    auto rank = [&](size_t c) {
        return std::pair(stats[c].inOrder() ? 0 : 1, stats[c].mostly(stats[c].groups) ? 1 : 0);
    };
    for (size_t c = 0; c < columns; ++c) {
        const ColumnStats &s = stats[c];
        if (!free(c) || !s.enough(rowCount) || s.filled == 0 || !s.mostly(s.issues()))
            continue;
        if (issue < 0 || rank(c) < rank(static_cast<size_t>(issue)))
            issue = static_cast<int>(c);
    }
    if (issue >= 0)
        roles[static_cast<size_t>(issue)] = ColumnRole::Issue;

    // Five-digit values the header says are not the draw: a trial draw, a prize, sales.
    const auto notTheDraw = [&](size_t c) {
        if (header.size() <= qsizetype(c))
            return false;
        const QString &name = header[qsizetype(c)];
        for (const char16_t *word : {u"试机", u"奖金", u"奖池", u"金额", u"销售"}) {
            if (name.contains(QStringView(word)))
                return true;
        }
        return false;
    };
    int group = -1;
    for (size_t c = 0; c < columns; ++c) {
        const ColumnStats &s = stats[c];
        if (!free(c) || !s.enough(rowCount) || s.filled == 0 || s.groups * 2 < s.filled)
            continue;
        if (group < 0 || (notTheDraw(static_cast<size_t>(group)) && !notTheDraw(c)))
            group = static_cast<int>(c);
    }
    if (group >= 0) {
        roles[static_cast<size_t>(group)] = ColumnRole::Digits;
    } else {
        for (size_t c = 0; c + kPositions <= columns; ++c) {
            bool run = true;
            for (size_t p = c; p < c + kPositions && run; ++p)
                run = free(p) && stats[p].enough(rowCount) && stats[p].filled > 0 &&
                      stats[p].mostly(stats[p].singles);
            if (!run)
                continue;
            for (int p = 0; p < kPositions; ++p)
                roles[c + p] = static_cast<ColumnRole>(static_cast<int>(ColumnRole::Digit1) + p);
            break;
        }
    }

    const int issueColumn = candidate.layout.column(ColumnRole::Issue);
    const std::array<int, 5> digitColumns = candidate.layout.digitColumns();
    if (!candidate.layout.readsDraws())
        return candidate;
    for (const Row &row : rows) {
        const auto field = [&](int c) {
            return c < static_cast<int>(row.size()) ? row[static_cast<size_t>(c)] : QStringView();
        };
        if (!issueFormOf(field(issueColumn)))
            continue;
        bool digits = true;
        if (digitColumns[0] == digitColumns[1]) {
            digits = readDigitGroup(field(digitColumns[0])).has_value();
        } else {
            for (int c : digitColumns)
                digits = digits && readDigit(field(c)).has_value();
        }
        candidate.draws += digits ? 1 : 0;
    }
    return candidate;
}

struct TableStart
{
    qsizetype firstRow = 0; // 0-based
    qsizetype header = -1;  // 0-based, -1 when none
};

// Rows just before the first draw whose draw is faulty are rows all the same: the table starts
// at the first of the lines with an issue. The header is the line before that.
TableStart tableStart(const SourceText &source, qsizetype firstDraw)
{
    std::vector<QStringView> tokens;
    TableStart start;
    start.firstRow = firstDraw;
    while (start.firstRow > 0) {
        const QStringView line = source.line(start.firstRow - 1);
        if (!hasAsciiDigit(line))
            break;
        splitTokens(line, tokens);
        if (issueToken(tokens) < 0)
            break;
        --start.firstRow;
    }
    for (qsizetype i = start.firstRow - 1; i >= 0; --i) {
        if (!source.line(i).trimmed().isEmpty()) {
            start.header = i;
            break;
        }
    }
    return start;
}

Candidate detectWith(const SourceText &source, const TableStart &start, Separator separator)
{
    QStringList header;
    std::vector<QStringView> fields;
    if (start.header >= 0) {
        splitFields(source.line(start.header), separator, fields);
        const bool names =
            fields.size() >= 2 && std::none_of(fields.begin(), fields.end(), [](QStringView f) {
                return issueFormOf(f) || readDigitGroup(f);
            });
        if (names) {
            for (const QStringView f : fields)
                header.push_back(f.toString());
        }
    }
    std::vector<Row> rows;
    for (qsizetype i = start.firstRow;
         i < source.lineCount() && rows.size() < size_t(LayoutDetector::kSampleLines); ++i) {
        if (!hasAsciiDigit(source.line(i)))
            continue;
        splitFields(source.line(i), separator, fields);
        rows.push_back(fields);
    }
    Candidate candidate = typeColumns(rows, separator, header);
    candidate.layout.firstRowLine = start.firstRow + 1;
    if (!header.isEmpty()) {
        candidate.layout.headerLine = start.header + 1;
        candidate.layout.header = header;
    }
    return candidate;
}

} // namespace

qsizetype LayoutDetector::firstDrawLine(const SourceText &source)
{
    std::vector<QStringView> tokens;
    for (qsizetype i = 0; i < source.lineCount() && source.lineStart(i) < kSearchChars; ++i) {
        if (looksLikeDraw(source.line(i), tokens))
            return i + 1;
    }
    return 0;
}

std::optional<TableLayout> LayoutDetector::detect(const SourceText &source)
{
    const qsizetype first = firstDrawLine(source);
    if (first == 0)
        return std::nullopt;
    const TableStart start = tableStart(source, first - 1);
    Candidate best;
    for (const Separator separator : kAllSeparators) {
        Candidate candidate = detectWith(source, start, separator);
        if (best.layout.roles.empty() || candidate.score() > best.score())
            best = std::move(candidate);
    }
    return best.layout;
}

TableLayout LayoutDetector::detect(const SourceText &source, Separator separator)
{
    const qsizetype first = firstDrawLine(source);
    return detectWith(source, tableStart(source, first > 0 ? first - 1 : 0), separator).layout;
}

} // namespace quorlent::import
