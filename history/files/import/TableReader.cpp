#include "TableReader.h"

#include "FieldValues.h"
#include "ProcessMemory.h"
#include "TableRows.h"

#include <QHash>
#include <algorithm>

namespace quorlent::import {

namespace {

bool isRepeat(const std::vector<HistoryLine> &draws, int32_t issue, DrawOrder order)
{
    const HistoryLine probe{issue, {}, 0};
    if (order == DrawOrder::OldestFirst)
        return std::binary_search(
            draws.begin(), draws.end(), probe,
            [](const HistoryLine &a, const HistoryLine &b) { return a.sqqh < b.sqqh; });
    return std::binary_search(
        draws.begin(), draws.end(), probe,
        [](const HistoryLine &a, const HistoryLine &b) { return a.sqqh > b.sqqh; });
}

QString dayText(const QDate &day)
{
    return day.toString(QStringLiteral("yyyy-MM-dd"));
}

} // namespace

DrawOrder TableReader::orderOf(const SourceText &source, const TableLayout &layout,
                               const Game &game)
{
    const int issueColumn = layout.column(ColumnRole::Issue);
    if (issueColumn < 0)
        return DrawOrder::OldestFirst;
    TableRows rows(source, layout);
    int seen = 0;
    int ascending = 0;
    int descending = 0;
    std::optional<int32_t> last;
    while (seen < kOrderRows && rows.next()) {
        const std::optional<int32_t> issue = game.parse(bareIssue(rows.field(issueColumn)));
        if (!issue)
            continue;
        ++seen;
        if (last) {
            ascending += *issue > *last ? 1 : 0;
            descending += *issue < *last ? 1 : 0;
        }
        last = issue;
    }
    return descending > ascending ? DrawOrder::NewestFirst : DrawOrder::OldestFirst;
}

ReadResult TableReader::read(const SourceText &source, const TableLayout &layout, const Game &game)
{
    ReadResult result;
    result.game = game;
    result.lines = source.lineCount();
    result.order = orderOf(source, layout, game);
    const bool ascending = result.order == DrawOrder::OldestFirst;
    const int issueColumn = layout.column(ColumnRole::Issue);
    const int dateColumn = layout.column(ColumnRole::Date);
    const std::array<int, 5> digitColumns = layout.digitColumns();
    const bool oneField = digitColumns[0] >= 0 && digitColumns[0] == digitColumns[1];
    const bool byYear = game.numbersByYear();
    QHash<int32_t, int> drawsOnDate;
    // Room for the draws of every line of a real history, not for a file of a million blank lines.
    const size_t room = static_cast<size_t>(std::min<qsizetype>(source.lineCount(), 1 << 22));
    reserveOnLargePages(result.draws, room);
    reserveOnLargePages(result.drawLines, room);

    TableRows rows(source, layout);
    QString why;
    while (rows.next()) {
        if (result.firstRows.size() < size_t(ReadResult::kFirstRows)) {
            RawRow raw{rows.line(), {}, {}};
            for (const QStringView field : rows.fields())
                raw.fields.push_back(field.toString());
            result.firstRows.push_back(std::move(raw));
        }
        const auto refuse = [&](const QString &reason) {
            if (result.firstRows.back().line == rows.line())
                result.firstRows.back().refusal = reason;
            result.refused.push_back({rows.line(), reason});
        };

        const QStringView issueText = bareIssue(rows.field(issueColumn));
        if (issueText.isEmpty()) {
            refuse(QStringLiteral("没有期号"));
            continue;
        }
        const std::optional<int32_t> issue = game.parse(issueText);
        if (!issue) {
            refuse(QStringLiteral("期号 %1 不合本彩种，%2").arg(issueText, game.formHint()));
            continue;
        }
        if (QString impossible = game.whyNotExists(*issue); !impossible.isEmpty()) {
            refuse(std::move(impossible));
            continue;
        }

        HistoryLine draw{*issue, {}, 0};
        if (oneField) {
            const std::optional<Digits> digits = readDigitGroup(rows.field(digitColumns[0]), &why);
            if (!digits) {
                refuse(why);
                continue;
            }
            draw.digits = *digits;
        } else {
            QString wrong;
            for (int p = 0; p < kPositions && wrong.isEmpty(); ++p) {
                const QStringView field = rows.field(digitColumns[p]);
                const std::optional<uint8_t> digit = readDigit(field);
                if (digit)
                    draw.digits[p] = *digit;
                else if (field.isEmpty())
                    wrong = QStringLiteral("没有第 %1 位号码").arg(p + 1);
                else
                    wrong = QStringLiteral("第 %1 位 %2 不是 0–9 的数字").arg(p + 1).arg(field);
            }
            if (!wrong.isEmpty()) {
                refuse(wrong);
                continue;
            }
        }

        QDate day;
        if (const QStringView dateText = rows.field(dateColumn); !dateText.isEmpty()) {
            day = readDate(dateText);
            if (!day.isValid()) {
                refuse(QStringLiteral("日期 %1 读不出").arg(dateText));
                continue;
            }
            if (!byYear && day != game.dateOf(*issue)) {
                refuse(QStringLiteral("日期 %1 与期号 %2 不符")
                           .arg(dayText(day), game.displayForm(*issue)));
                continue;
            }
        }

        if (!result.draws.empty()) {
            const int32_t last = result.draws.back().sqqh;
            if (ascending ? *issue <= last : *issue >= last) {
                refuse(isRepeat(result.draws, *issue, result.order)
                           ? QStringLiteral("期号 %1 重复").arg(game.displayForm(*issue))
                           : QStringLiteral("期号 %1 排在 %2 之后，顺序不对")
                                 .arg(game.displayForm(*issue), game.displayForm(last)));
                continue;
            }
        }

        if (byYear && day.isValid()) {
            const int32_t date = Game::dateNumber(day);
            int &onDate = drawsOnDate[date];
            if (onDate >= game.drawsPerDay()) {
                refuse(game.drawsPerDay() == 1
                           ? QStringLiteral("%1 已有一期（每天一期）").arg(dayText(day))
                           : QStringLiteral("%1 已有 %2 期（每天 %2 期）")
                                 .arg(dayText(day))
                                 .arg(game.drawsPerDay()));
                continue;
            }
            ++onDate;
            draw.date = date;
        }
        result.draws.push_back(draw);
        result.drawLines.push_back(rows.line());
    }
    result.skippedLines = rows.skipped();
    if (!ascending) {
        std::reverse(result.draws.begin(), result.draws.end());
        std::reverse(result.drawLines.begin(), result.drawLines.end());
    }
    return result;
}

} // namespace quorlent::import
