#include "terminal/selectiontips.h"
#include "support/gbk.h"

#include <gtest/gtest.h>

TEST(SelectionTips, TokenColumns)
{
    const std::string bad = "     ??? ";
    const std::string badBits = "???????? ";
    const struct {
        std::string selection;
        std::string hex, decimal, binary;
    } cases[] = {
        {"01 03 0A FF", "      01       03       0A       FF ", "       1        3       10      255 ",
         "00000001 00000011 00001010 11111111 "},
        {"25\r\n01", "      25       01 ", "      37        1 ", "00100101 00000001 "},
        {"25 01", "      25       01 ", "      37        1 ", "00100101 00000001 "},
        {"01  02", "      01       02 ", "       1        2 ", "00000001 00000010 "},
        {"  0a  ", "      0a ", "      10 ", "00001010 "},
        {gbk("０ａ"), gbk("    ０ａ "), "      10 ", "00001010 "},
        {"0x12", "    0x12 ", bad, badBits},
        {"G1 01", "      G1       01 ", bad + "       1 ", badBits + "00000001 "},
        // nine bytes: the last eight are shown; 0x12345678 has nine decimal digits
        {"012345678", "12345678 ", "05419896 ", "01111000 "},
        // 0xFFFFFFFF: last eight decimal digits, low eight bits
        {"FFFFFFFF", "FFFFFFFF ", "94967295 ", "11111111 "},
        // 2^32 is past the binary range, 10 * 2^31 past the decimal one
        {"100000000", "00000000 ", "94967296 ", badBits},
        {"123456789", "23456789 ", "86718345 ", badBits},
        {"500000000", "00000000 ", bad, badBits},
        {"FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", "FFFFFFFF ", bad, badBits},
        {"\r\n", "", "", ""},
        {"\r\n\r\n", "", "", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.selection);
        const std::optional<TipColumns> columns = tokenColumns(c.selection);
        ASSERT_TRUE(columns.has_value());
        EXPECT_EQ(columns->hex, c.hex);
        EXPECT_EQ(columns->decimal, c.decimal);
        EXPECT_EQ(columns->binary, c.binary);
    }
}

TEST(SelectionTips, NoTokenTipForSpacesOrNothing)
{
    for (const std::string &selection : {std::string(), std::string("   "), gbk("\u3000 \u3000")})
        EXPECT_FALSE(tokenTip(selection).has_value()) << selection;
}

TEST(SelectionTips, TokenTipJoinsCaptionsAndColumns)
{
    EXPECT_EQ(tokenTip("01 FF"), gbk("16进制：      01       FF \r\n10进制：       1      255 \r\n 2进制：00000001 11111111 "));
    EXPECT_EQ(tokenTip("\r\n"), gbk("16进制：\r\n10进制：\r\n 2进制："));
}

TEST(SelectionTips, Merge)
{
    const struct {
        std::string selection;
        std::string tip; // UTF-8
    } cases[] = {
        {"00 01\r\n00 00", "16进制：00010000\r\n10进制：65536"},
        {"ff ff ff ff", "16进制：FFFFFFFF\r\n10进制：4294967295"},
        {"01 02 03 04 05", "16进制：0102030405\r\n10进制：最多支持4字节"},
        {gbk("１２３４５"), "16进制：１２３４５\r\n10进制：最多支持4字节"},
        {"0x12", "16进制：0X12\r\n10进制：参数错误-0X12不是一个有效的一十六进制数！"},
        {"\r\n\r\n", "16进制：\r\n10进制：0"},
        {gbk("0\u30000 1"), "16进制：001\r\n10进制：1"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.tip);
        EXPECT_EQ(mergeTip(c.selection), gbk(c.tip));
    }
    EXPECT_FALSE(mergeTip("").has_value());
    EXPECT_FALSE(mergeTip(gbk(" \u3000 ")).has_value());
}
