#include "FieldValues.h"
#include "Separator.h"
#include "SourceText.h"

#include <gtest/gtest.h>

using namespace quorlent;
using namespace quorlent::import;

namespace {

QStringList fieldsOf(const char *line, Separator separator)
{
    const QString text = QString::fromUtf8(line);
    std::vector<QStringView> fields;
    splitFields(text, separator, fields);
    QStringList list;
    for (const QStringView field : fields)
        list.push_back(field.toString());
    return list;
}

std::string whyNot(const char *field)
{
    QString why;
    EXPECT_FALSE(readDigitGroup(QString::fromUtf8(field), &why)) << field;
    return why.toStdString();
}

QDate dateOf(const char *field)
{
    return readDate(QString::fromUtf8(field));
}

} // namespace

TEST(TableFieldsTest, FieldsWithQuotesBlanksAndFullWidthSeparators)
{
    EXPECT_EQ(fieldsOf("\"0,9,0,3,3\", =\"09033\" , c ,", Separator::Comma),
              (QStringList{"0,9,0,3,3", "09033", "c", ""}));
    EXPECT_EQ(fieldsOf("\"a\"\"b\",c", Separator::Comma), (QStringList{"a\"\"b", "c"}));
    EXPECT_EQ(fieldsOf("2026101，09033", Separator::Comma), (QStringList{"2026101", "09033"}));
    EXPECT_EQ(fieldsOf("a;b；c", Separator::Semicolon), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(fieldsOf("a b\t\tc", Separator::Tab), (QStringList{"a b", "", "c"}));
    EXPECT_EQ(fieldsOf("  a  b\tc　d ", Separator::Blanks), (QStringList{"a", "b", "c", "d"}));
}

TEST(TableFieldsTest, FiveDigitsInOneFieldOrWhyNot)
{
    for (const char *field :
         {"09033", "0 9 0 3 3", "0,9,0,3,3", "0|9|0|3|3", "0、9、0、3、3", "0, 9, 0, 3, 3"})
        EXPECT_EQ(readDigitGroup(QString::fromUtf8(field)), (Digits{0, 9, 0, 3, 3})) << field;
    EXPECT_EQ(whyNot("0903"), "开奖号码只有 4 位");
    EXPECT_EQ(whyNot("090331"), "开奖号码有 6 位");
    EXPECT_EQ(whyNot("0,9,0,3"), "开奖号码只有 4 位");
    EXPECT_EQ(whyNot("1,23,4,5,6"), "开奖号码 1,23,4,5,6 不是五个数字");
    EXPECT_EQ(whyNot("０９０３３"), "开奖号码 ０９０３３ 不是五个数字");
    EXPECT_EQ(whyNot(""), "没有开奖号码");
}

TEST(TableFieldsTest, DatesInTheFormsFilesWriteThem)
{
    const QDate day(2026, 4, 21);
    for (const char *field : {"2026-04-21", "2026/4/21", "2026.4.21", "20260421", "2026年4月21日",
                              "2026-04-21 20:30:00", "2026-04-21T20:30", "2026年4月21日 星期二"})
        EXPECT_EQ(dateOf(field), day) << field;
    for (const char *field : {"2026-02-30", "2026-04", "21/04/2026", "2026-04-21x", "202604210",
                              "2026-004-21", "1899-12-31", ""})
        EXPECT_FALSE(dateOf(field).isValid()) << field;
}

TEST(TableFieldsTest, LinesEndInAnyOfTheThreeWays)
{
    const SourceText source = SourceText::decode("a\r\nb\rc\n\nd");
    ASSERT_EQ(source.lineCount(), 5);
    EXPECT_EQ(source.line(1), u"b");
    EXPECT_EQ(source.line(3), u"");
    EXPECT_EQ(source.line(4), u"d");
    EXPECT_EQ(SourceText::decode("x\n").lineCount(), 1);
    EXPECT_EQ(SourceText::decode("").lineCount(), 0);
    // Not UTF-8: GB18030, whose two-byte characters are GBK's.
    const SourceText gbk = SourceText::decode("\xc6\xda\xba\xc5");
    EXPECT_EQ(gbk.encoding(), TextEncoding::Gb18030);
    EXPECT_EQ(gbk.line(0), u"期号");
}
