#include "HistoryLine.h"
#include "HistoryTextReader.h"

#include <gtest/gtest.h>

#include <random>

using namespace quorlent;

namespace {

std::optional<HistoryLine> importLine(const char *text)
{
    return parseHistoryLine(QString::fromUtf8(text), LineMode::Import);
}

std::optional<HistoryLine> rebuildLine(const char *text)
{
    return parseHistoryLine(QString::fromUtf8(text), LineMode::Rebuild);
}

} // namespace

TEST(HistoryLineTest, ReadsIssueAndFiveDigitsWhateverTheSeparator)
{
    const HistoryLine expected{160908078, {3, 5, 3, 0, 5}};
    EXPECT_EQ(importLine("160908078 35305"), expected);
    EXPECT_EQ(importLine("160908078,35305"), expected);
    EXPECT_EQ(importLine("160908078\t35305"), expected);
    EXPECT_EQ(importLine("160908078，35305"), expected);  // one full-width character
    EXPECT_EQ(importLine("160908078 35305  "), expected); // blanks after the group
    EXPECT_EQ(importLine("160908078   35305"), expected); // blanks before it, inside 11-18
    EXPECT_EQ(importLine("070908078 00000"), (HistoryLine{70908078, {0, 0, 0, 0, 0}}));
    // Only positions 11-18 are read: what follows them does not matter.
    EXPECT_EQ(importLine("160908078 35305    whatever"), expected);
}

TEST(HistoryLineTest, LeadingBlanksFailTheImportButNotTheRebuild)
{
    const HistoryLine expected{160908078, {3, 5, 3, 0, 5}};
    EXPECT_FALSE(importLine(" 160908078 35305"));
    EXPECT_FALSE(importLine("   160908078 35305   "));
    EXPECT_EQ(rebuildLine("   160908078 35305   "), expected);
    EXPECT_EQ(rebuildLine("160908078 35305"), expected);
    // Only blanks are trimmed.
    EXPECT_FALSE(rebuildLine("\t160908078 35305"));
}

TEST(HistoryLineTest, IssueMustBeNineAsciiDigits)
{
    EXPECT_FALSE(importLine("20160908078 35305")); // display form: group starts "8 35305"
    EXPECT_FALSE(importLine("16090807 35305"));    // eight digits
    EXPECT_FALSE(importLine("1609O8078 35305"));   // letter O
    EXPECT_FALSE(importLine("+60908078 35305"));
    EXPECT_FALSE(importLine("1609 8078 35305"));
    EXPECT_FALSE(importLine("１６０９０８０７８ 35305")); // full-width digits
    EXPECT_FALSE(importLine("开奖期号 开奖号码"));
    EXPECT_FALSE(importLine(""));
    EXPECT_FALSE(importLine("160908078 ")); // not longer than 10 characters
    EXPECT_FALSE(importLine("1609080783")); // ten characters
}

TEST(HistoryLineTest, DigitGroupMustBeAPlainNumberUpTo99999)
{
    // Six characters: the number is 35305, the digits are the first five characters.
    EXPECT_EQ(importLine("160908078 035305"), (HistoryLine{160908078, {0, 3, 5, 3, 0}}));
    EXPECT_EQ(importLine("160908078 00012345"), (HistoryLine{160908078, {0, 0, 0, 1, 2}}));
    EXPECT_FALSE(importLine("160908078 123456"));  // more than 99999
    EXPECT_FALSE(importLine("160908078 35305 1")); // a blank inside: not a number
    EXPECT_FALSE(importLine("160908078 3530 5"));
    EXPECT_FALSE(importLine("160908078 +35305"));
    EXPECT_FALSE(importLine("160908078 -3530"));
    EXPECT_FALSE(importLine("160908078 3530.5"));
    EXPECT_FALSE(importLine("160908078 3 5 3 0 5"));
    EXPECT_FALSE(importLine("160908078 3530A"));
    EXPECT_FALSE(importLine("160908078          ")); // only blanks
}

TEST(HistoryLineTest, ShortDigitGroupIsRefusedNotPadded)
{
    EXPECT_FALSE(importLine("160908078 353"));
    EXPECT_FALSE(importLine("160908078 3530"));
    EXPECT_FALSE(importLine("160908078 0"));
    EXPECT_FALSE(rebuildLine("160908078 353   "));
}

TEST(HistoryLineTest, IssueZeroPassesButIsNotStorable)
{
    const auto zero = importLine("000000000 35305");
    ASSERT_TRUE(zero);
    EXPECT_FALSE(zero->storable());
    EXPECT_TRUE(importLine("000000001 35305")->storable());
    EXPECT_EQ(importLine("999999999 99999"), (HistoryLine{999999999, {9, 9, 9, 9, 9}}));
}

TEST(HistoryLineTest, WrittenLinesReadBack)
{
    EXPECT_EQ(backupLine(70908078, {3, 7, 1, 8, 9}), "070908078 37189");
    EXPECT_EQ(displayLine(70908078, {3, 7, 1, 8, 9}), "20070908078 37189");
    for (int32_t sqqh : {1001, 70908078, 160908120, 991231120}) {
        const Digits digits{9, 0, 4, 5, 1};
        EXPECT_EQ(rebuildLine(backupLine(sqqh, digits).toUtf8().constData()),
                  (HistoryLine{sqqh, digits}))
            << sqqh;
        // The display form is for people: it never reads back as a draw.
        EXPECT_FALSE(importLine(displayLine(sqqh, digits).toUtf8().constData())) << sqqh;
    }
}

// A file of plain ASCII is read line by line as it lies; one character outside ASCII anywhere has
// the reader decode the whole text first. Both take the same lines.
TEST(HistoryTextReaderTest, PlainAsciiReadsAsItsDecodedText)
{
    const char *const pieces[] = {"160908078 35305", " 160908078 35305   ", "160908078 3530",
                                  "160908078\t35305 x", "16090807X 35305", "", "   ",
                                  "000000000 12345", "2017032801 12345", "17032801 98765"};
    const char *const ends[] = {"\r\n", "\n", "\r", "\n\r"};
    std::mt19937 rng(11);
    for (int round = 0; round < 200; ++round) {
        QByteArray ascii;
        for (int line = int(rng() % 30); line > 0; --line) {
            ascii += pieces[rng() % std::size(pieces)];
            if (line > 1 || rng() % 2)
                ascii += ends[rng() % std::size(ends)];
        }
        for (LineMode mode : {LineMode::Import, LineMode::Rebuild}) {
            for (const Game &game : {Game::standard(), *Game::make(96, IssueForm::DateSequence2)}) {
                const auto plain = HistoryTextReader::parse(ascii, mode, game);
                const auto decoded =
                    HistoryTextReader::parse(QByteArray("\xc3\xa9\n") + ascii, mode, game);
                ASSERT_EQ(plain.lines, decoded.lines) << ascii.toStdString();
                EXPECT_EQ(plain.skippedLines + 1, decoded.skippedLines);
            }
        }
    }
}
