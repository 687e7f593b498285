#include "Gb18030.h"

#include <gtest/gtest.h>

using quorlent::platform::decodeGb18030;
using quorlent::platform::decodesFourByteGb18030;
using quorlent::platform::wholeGb18030Prefix;

namespace {

// "期号,开奖号码¥\r\n" as a Chinese Windows system saves it: two-byte characters and, for ¥, a
// four-byte one.
const QByteArray kSaved = QByteArray::fromHex("c6dabac52c"
                                              "bfaabdb1bac5c2eb"
                                              "81308436"
                                              "0d0a");

} // namespace

TEST(Gb18030Test, AFileCutInsideACharacterEndsBeforeIt)
{
    EXPECT_EQ(wholeGb18030Prefix(kSaved), kSaved.size());
    EXPECT_EQ(wholeGb18030Prefix(kSaved.first(1)), 0);   // half of 期
    EXPECT_EQ(wholeGb18030Prefix(kSaved.first(5)), 5);   // 期号,
    EXPECT_EQ(wholeGb18030Prefix(kSaved.first(14)), 13); // inside the four bytes of ¥
    EXPECT_EQ(wholeGb18030Prefix(kSaved.first(16)), 13);
    EXPECT_EQ(wholeGb18030Prefix(kSaved.first(17)), 17);
    // Bytes no character starts with count one each, so a damaged file is still read through.
    EXPECT_EQ(wholeGb18030Prefix(QByteArray::fromHex("80ff41")), 3);
}

TEST(Gb18030Test, GbkTextDecodesOnEverySystemWithADecoder)
{
    const QByteArray gbk = kSaved.first(13);
    const std::optional<QString> text = decodeGb18030(gbk);
#ifdef Q_OS_WIN
    ASSERT_TRUE(text.has_value()) << "Windows always has code page 54936 or 936";
#else
    if (!text)
        GTEST_SKIP() << "this Qt has no GB18030 decoder";
#endif
    EXPECT_EQ(*text, QStringLiteral("期号,开奖号码"));
    // A probe of the file's first bytes leaves a cut-off character out instead of replacing it.
    EXPECT_EQ(*decodeGb18030(gbk.first(12)), QStringLiteral("期号,开奖号"));
}

TEST(Gb18030Test, FourByteCharactersDecodeWhereTheSystemKnowsGb18030)
{
    if (!decodesFourByteGb18030())
        GTEST_SKIP() << "wine has no code page 54936 (Windows has): four-byte characters read as ?";
    EXPECT_EQ(*decodeGb18030(kSaved), QStringLiteral("期号,开奖号码¥\r\n"));
    EXPECT_EQ(*decodeGb18030(kSaved.first(14)), QStringLiteral("期号,开奖号码"));
}
