#include "text/textrules.h"
#include "support/gbk.h"

#include <gtest/gtest.h>

#include <cmath>
#include <climits>

using namespace text;
using Pieces = std::vector<std::string>;

TEST(TextRules, RemoveSpacesTakesOnlyAsciiAndIdeographicSpaces)
{
    EXPECT_EQ(removeSpaces(" 01 03\t0A "), "0103\t0A");
    EXPECT_EQ(removeSpaces(gbk("01\u300003")), "0103");
    // 0xA1 as the trail byte of one character and lead of the next is not a space.
    EXPECT_EQ(removeSpaces("\xB0\xA1\xA1\x41"), "\xB0\xA1\xA1\x41");
    EXPECT_EQ(removeSpaces(""), "");
}

TEST(TextRules, TrimSpacesAtBothEnds)
{
    EXPECT_EQ(trimSpaces(gbk("\u3000 a b \u3000")), "a b");
    EXPECT_EQ(trimSpaces("   "), "");
    EXPECT_EQ(trimSpaces("\ta\t"), "\ta\t");
}

TEST(TextRules, SplitKeepsEmptyPiecesButNotAnEmptyLastOne)
{
    EXPECT_EQ(splitText("A\r\nB\r\n", "\r\n"), (Pieces{"A", "B"}));
    EXPECT_EQ(splitText("A\r\n\r\nB", "\r\n"), (Pieces{"A", "", "B"}));
    EXPECT_EQ(splitText("\r\n", "\r\n"), (Pieces{""}));
    EXPECT_EQ(splitText("", "\r\n"), Pieces{});
    EXPECT_EQ(splitText("AB", "#"), (Pieces{"AB"}));
}

TEST(TextRules, HalfWidthAndUpperCase)
{
    EXPECT_EQ(toHalfWidth(gbk("１Ａｆ！～")), "1Af!~");
    EXPECT_EQ(toHalfWidth(gbk("\u3000")), " ");
    EXPECT_EQ(toHalfWidth("\xA1\xAB\xA1\xEE\xA1\xEF"), "~**");
    EXPECT_EQ(toHalfWidth(gbk("中a")), gbk("中a"));
    EXPECT_EQ(toHalfWidth("ab\xD6"), "ab"); // a lone lead byte at the end is dropped
    // 0xE1 is "a" + 0x80: as a trail byte it must not be changed by upper-casing.
    EXPECT_EQ(toUpperAscii("ab\x81\x61z"), "AB\x81\x61Z");
}

TEST(TextRules, TextToInt)
{
    const struct {
        std::string in;
        int32_t out;
    } cases[] = {
        {"50", 50},
        {"  -12abc", -12},
        {"+7", 7},
        {gbk("１００"), 100},
        {gbk("\u3000－５"), -5},
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {"4294967296", 0},
        {"4294967295", -1},
        {"2147483648", INT32_MIN},
        {"-2147483649", INT32_MAX},
        {"99999999999999999999999999", static_cast<int32_t>(0xE3FFFFFFu - 0x100000000LL)},
    };
    for (const auto &c : cases)
        EXPECT_EQ(textToInt(c.in), c.out) << c.in;
}

TEST(TextRules, TextToDouble)
{
    const struct {
        std::string in;
        double out;
    } cases[] = {
        {"10", 10.0}, {"-2.5", -2.5}, {" +1e3x", 1000.0}, {gbk("１．５"), 1.5},
        {".5", 0.5}, {"5.", 5.0}, {"1e", 1.0}, {"abc", 0.0}, {"", 0.0}, {"inf", 0.0}, {"0x10", 0.0},
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(textToDouble(c.in), c.out) << c.in;
    EXPECT_TRUE(std::isinf(textToDouble("1e999")));
}
