#include "DrawPage.h"
#include "Printers.h"
#include "SamplePages.h"

#include <gtest/gtest.h>

#include <random>

using namespace quorlent;
using Status = DrawPage::Status;

namespace {

std::vector<QStringList> rowsOf(const QByteArray &html)
{
    const DrawPage page = DrawPage::parse(html);
    EXPECT_EQ(page.status, Status::Rows);
    return page.rows;
}

} // namespace

TEST(DrawPageTest, ReadsTheDrawTableOfASavedPage)
{
    const QByteArray html = R"(<!DOCTYPE html>
<html><head><title>开奖</title>
<script>document.write('<table id="draw_list"><tr><td>fake</td></tr></table>');</script></head>
<body>
<table class="frame" width="100%"><tr><td>
  <table id="draw_list" cellspacing="0">
    <thead>
      <tr><th>序号</th><th>期号</th><th>号码</th><th></th></tr>
    </thead>
    <tbody>
      <tr>
        <td>1</td>
        <td>&nbsp;<b>2016</b>0908<span class="seq">078</span>&nbsp;</td>
        <td><em>3</em> <em>5</em>&nbsp;<em>3</em>
            <em>0</em>&#160;<em>5</em></td>
        <td><a href="/chart?i=078">走势</a></td>
      </tr>
      <tr><td>2</td><td>20160908077</td><td>1<br>2<br/>3<div>4</div>5</td><td>x</td></tr>
    </tbody>
  </table>
</td></tr></table>
</body></html>)";
    const auto rows = rowsOf(html);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], QStringList({"序号", "期号", "号码", ""}));
    // Inline markup joins, blanks of every kind collapse to one, the ends are trimmed.
    EXPECT_EQ(rows[1], QStringList({"1", "20160908078", "3 5 3 0 5", "走势"}));
    // Line breaks and block elements keep digits apart as a browser shows them.
    EXPECT_EQ(rows[2], QStringList({"2", "20160908077", "1 2 3 4 5", "x"}));
}

TEST(DrawPageTest, RowsComeInTheOrderOfTheDomRowsCollection)
{
    const QByteArray html = "<table id='draw_list'>"
                            "<tfoot><tr><td>foot</td></tr></tfoot>"
                            "<tbody><tr><td>body 1</td></tr></tbody>"
                            "<thead><tr><th>head</th></tr></thead>"
                            "<tr><td>direct</td></tr>"
                            "<tbody><tr><td>body 2</td></tr></tbody>"
                            "</table>";
    const auto rows = rowsOf(html);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0], QStringList{"head"});
    EXPECT_EQ(rows[1], QStringList{"body 1"});
    EXPECT_EQ(rows[2], QStringList{"direct"});
    EXPECT_EQ(rows[3], QStringList{"body 2"});
    EXPECT_EQ(rows[4], QStringList{"foot"});
}

TEST(DrawPageTest, NestedTablesKeepTheirRowsToThemselves)
{
    // The table sits in a layout table, and one of its cells holds a table of its own.
    const QByteArray html = "<table><tr><td>menu</td><td>"
                            "<table id=draw_list>"
                            "<tr><th>h</th></tr>"
                            "<tr><td>a</td><td><table><tr><td>in 1</td><td>in 2</td></tr>"
                            "<tr><td>in 3</td></tr></table></td><td>z</td></tr>"
                            "</table>"
                            "</td></tr><tr><td>after</td></tr></table>";
    const auto rows = rowsOf(html);
    ASSERT_EQ(rows.size(), 2u);
    ASSERT_EQ(rows[1].size(), 3);
    EXPECT_EQ(rows[1][0], "a");
    EXPECT_EQ(rows[1][1], "in 1 in 2 in 3"); // a cell's text includes what is nested in it
    EXPECT_EQ(rows[1][2], "z");
}

TEST(DrawPageTest, TolerantMarkupIsReadAsABrowserWould)
{
    // Upper-case names, unquoted attributes, implied end tags.
    EXPECT_EQ(rowsOf("<TABLE ID=draw_list><TR><TH>h<TR><TD>1<TD> 20160908001 <TD>1 2 3 4 5"
                     "<TR><TD>2<TD>20160908002</TABLE>"),
              (std::vector<QStringList>{{"h"}, {"1", "20160908001", "1 2 3 4 5"},
                                        {"2", "20160908002"}}));
    // A form wrapped around the rows stays out of the way, as in a browser.
    EXPECT_EQ(rowsOf("<table id=draw_list><form action=x><tr><td>f</td></tr></form></table>"),
              std::vector<QStringList>{{"f"}});
    // Script, style and comments are no text; entities are.
    EXPECT_EQ(rowsOf("<table id=draw_list><tr><td>1<script>2</script><style>p{}</style>"
                     "<!-- 3 -->&#52;&amp;</td></tr></table>"),
              std::vector<QStringList>{{"14&"}});
}

TEST(DrawPageTest, TellsNoTableFromAnEmptyTableFromAHeaderOnly)
{
    EXPECT_EQ(DrawPage::parse("").status, Status::NoTable);
    EXPECT_EQ(DrawPage::parse("<html><body><p>维护中</p></body></html>").status, Status::NoTable);
    // The id on something that is not a table, or only in a different case.
    EXPECT_EQ(DrawPage::parse("<div id=draw_list><table><tr><td>1</td></tr></table></div>").status,
              Status::NoTable);
    EXPECT_EQ(DrawPage::parse("<table id=Draw_List><tr><td>1</td></tr></table>").status,
              Status::NoTable);
    EXPECT_EQ(DrawPage::parse(test::pageWithoutTable()).status, Status::NoTable);

    const DrawPage empty = DrawPage::parse(test::emptyTablePage());
    EXPECT_EQ(empty.status, Status::NoRows);
    EXPECT_TRUE(empty.rows.empty());
    EXPECT_EQ(DrawPage::parse("<table id=draw_list> <!-- none --> <tbody></tbody></table>").status,
              Status::NoRows);
    // Rows of a table nested in a caption are not the table's.
    EXPECT_EQ(DrawPage::parse("<table id=draw_list><caption><table><tr><td>1</td></tr></table>"
                              "</caption></table>")
                  .status,
              Status::NoRows);

    const DrawPage headerOnly = DrawPage::parse(test::dayPage(QDate(2016, 9, 8), 1, 0));
    EXPECT_EQ(headerOnly.status, Status::Rows);
    EXPECT_EQ(headerOnly.rows.size(), 1u);
}

TEST(DrawPageTest, TheFirstElementWithTheIdCounts)
{
    EXPECT_EQ(rowsOf("<table id=draw_list><tr><td>first</td></tr></table>"
                     "<table id=draw_list><tr><td>second</td></tr></table>"),
              std::vector<QStringList>{{"first"}});
    // An earlier element that is not a table hides a later table, as getElementById would.
    EXPECT_EQ(DrawPage::parse("<span id=draw_list></span><table id=draw_list><tr><td>1</td></tr>"
                              "</table>")
                  .status,
              Status::NoTable);
}

TEST(DrawPageTest, TruncationNeverChangesTheRowsBeforeTheCut)
{
    const QByteArray html = test::dayPage(QDate(2016, 9, 8), 1, 12, test::RowOrder::OldestFirst);
    const std::vector<QStringList> full = DrawPage::parse(html).rows;
    ASSERT_EQ(full.size(), 13u);
    for (qsizetype cut = 0; cut <= html.size(); ++cut) {
        const DrawPage page = DrawPage::parse(QByteArrayView(html).first(cut));
        ASSERT_LE(page.rows.size(), full.size()) << "cut at " << cut;
        // Every row but the last one read is complete and exactly as in the whole page.
        for (size_t i = 0; i + 1 < page.rows.size(); ++i)
            ASSERT_EQ(page.rows[i], full[i]) << "cut at " << cut << ", row " << i;
        if (cut == html.size()) {
            EXPECT_EQ(page.rows, full);
        }
    }
}

TEST(DrawPageTest, SurvivesHostileInput)
{
    std::mt19937 random(20160908);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 200; ++round) {
        QByteArray noise(1 + round * 37, '\0');
        for (char &c : noise)
            c = static_cast<char>(byte(random));
        const DrawPage page = DrawPage::parse(noise);
        EXPECT_EQ(page.status, Status::NoTable);
    }

    // Noise, NUL bytes and broken UTF-8 inside a real table.
    QByteArray mangled = "<table id=draw_list><tr><td>";
    mangled += QByteArray("\xff\xfe\0<td>2016\x80\x81</td><td>\0\0", 24);
    mangled += "</table>";
    const DrawPage page = DrawPage::parse(mangled);
    EXPECT_EQ(page.status, Status::Rows);
    EXPECT_EQ(page.rows.size(), 1u);

    // Nesting far deeper than any page: no stack overflow, whatever the parser makes of it.
    QByteArray deep;
    for (int i = 0; i < 100000; ++i)
        deep += "<div><table><tr><td>";
    deep += "<table id=draw_list><tr><td>1</td></tr></table>";
    (void)DrawPage::parse(deep);
    // Ordinary nesting still finds the table.
    QByteArray nested;
    for (int i = 0; i < 100; ++i)
        nested += "<div>";
    nested += "<table id=draw_list><tr><td>deep</td></tr></table>";
    EXPECT_EQ(DrawPage::parse(nested).rows, std::vector<QStringList>{{"deep"}});
}

TEST(DrawPageTest, ParsesOnlyTheFirstFourMegabytes)
{
    const QByteArray table = "<table id=draw_list><tr><td>1</td></tr></table>";
    const QByteArray padding(DrawPage::kMaxParsedBytes, ' ');
    EXPECT_EQ(DrawPage::parse(table + padding).status, Status::Rows);
    EXPECT_EQ(DrawPage::parse("<p>" + padding + table).status, Status::NoTable);
}

TEST(DrawPageTest, AGbkPageReadsAsItsUtf8Twin)
{
    // Many results sites serve GB2312 or GBK; libxml2 cannot convert them everywhere (the Windows
    // build has no iconv), so the page is decoded before it is parsed. The page as such a site
    // sends it, GBK bytes and all:
    const QByteArray gbPage = QByteArray("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\"><title>\xbf\xaa\xbd\xb1\xb9\xab\xb8\xe6</title></head><body><table id=\"draw_list\"><tr><th>\xc6\xda\xba\xc5</th><th>\xbf\xaa\xbd\xb1\xba\xc5\xc2\xeb</th></tr><tr><td>\xb5\xda" "20160908078\xc6\xda</td><td>3 5 3 0 5</td></tr></table></body></html>");
    const QString html = QStringLiteral(
        "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
        "<title>开奖公告</title></head><body><table id=\"draw_list\">"
        "<tr><th>期号</th><th>开奖号码</th></tr>"
        "<tr><td>第20160908078期</td><td>3 5 3 0 5</td></tr></table></body></html>");
    const auto rows = rowsOf(gbPage);
    EXPECT_EQ(rows, rowsOf(html.toUtf8()));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1], QStringList({"第20160908078期", "3 5 3 0 5"}));
}
