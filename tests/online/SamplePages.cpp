#include "SamplePages.h"

#include "Game.h"

#include <algorithm>

namespace quorlent::test {

namespace {

// The original game: these draws are numbered by its issues.
constexpr Game kGame = Game::standard();

const char *const kPageHead =
    "<!DOCTYPE html>\n<html lang=\"zh-CN\"><head><meta charset=\"utf-8\">\n"
    "<title>开奖结果</title>\n<style>td { padding: 2px }</style>\n"
    "<script>var loaded = '<table id=\"draw_list\"></table>';</script>\n"
    "</head><body>\n"
    "<table class=\"layout\"><tr><td><a href=\"/\">首页</a></td><td>历史开奖</td></tr></table>\n";

const char *const kPageTail = "<p class=\"note\">数据仅供参考</p>\n</body></html>\n";

} // namespace

Digits sampleDigits(const QDate &date, int sequence)
{
    Digits digits{};
    uint32_t state = static_cast<uint32_t>(date.toJulianDay() * 131 + sequence * 7919);
    for (uint8_t &digit : digits) {
        state = state * 1103515245u + 12345u;
        digit = static_cast<uint8_t>((state >> 16) % 10);
    }
    return digits;
}

QString issueText(const QDate &date, int sequence)
{
    return kGame.displayForm(kGame.issueOfDay(date, sequence));
}

QString digitText(const Digits &digits)
{
    QString text;
    for (uint8_t digit : digits) {
        if (!text.isEmpty())
            text += QLatin1Char(' ');
        text += QString::number(digit);
    }
    return text;
}

QList<SampleRow> dayRows(const QDate &date, int first, int last)
{
    QList<SampleRow> rows;
    for (int sequence = first; sequence <= last; ++sequence)
        rows << SampleRow{issueText(date, sequence), digitText(sampleDigits(date, sequence))};
    return rows;
}

QByteArray resultsPage(const QList<SampleRow> &rows, RowOrder order)
{
    QList<SampleRow> listed = rows;
    if (order == RowOrder::NewestFirst)
        std::reverse(listed.begin(), listed.end());
    QString html = QString::fromUtf8(kPageHead);
    html += QStringLiteral("<table id=\"draw_list\" class=\"list\">\n"
                           "<thead><tr><th>序号</th><th>期号</th><th>开奖号码</th><th>走势</th></tr>"
                           "</thead>\n<tbody>\n");
    int number = 1;
    for (const SampleRow &row : listed) {
        html += QStringLiteral("<tr class=\"%1\"><td>%2</td><td> %3 </td><td>%4</td>"
                               "<td><a href=\"#\">查看</a></td></tr>\n")
                    .arg(number % 2 ? QStringLiteral("odd") : QStringLiteral("even"))
                    .arg(number)
                    .arg(row.issueCell, row.digitCell);
        ++number;
    }
    html += QStringLiteral("</tbody></table>\n");
    html += QString::fromUtf8(kPageTail);
    return html.toUtf8();
}

QByteArray dayPage(const QDate &date, int first, int last, RowOrder order)
{
    return resultsPage(dayRows(date, first, last), order);
}

QByteArray emptyTablePage()
{
    return QByteArray(kPageHead) + "<table id=\"draw_list\" class=\"list\">\n</table>\n" + kPageTail;
}

QByteArray pageWithoutTable()
{
    return QByteArray(kPageHead) + "<div class=\"error\">系统维护中，请稍后再试</div>\n" + kPageTail;
}

} // namespace quorlent::test
