#include "convert/radixconvert.h"
#include "support/gbk.h"

#include <gtest/gtest.h>

namespace {

std::string badDigit(const std::string &text, const char *numeral)
{
    return gbk("参数错误-") + text + gbk("不是一个有效的") + gbk(numeral) + gbk("进制数！");
}

} // namespace

TEST(RadixConvert, Table)
{
    const std::string ones(16, '1');
    const std::string zeros(16, '0');
    const struct {
        std::string in;
        int32_t from, to;
        std::string result, after;
    } cases[] = {
        {"FF", 16, 10, "255", "FF"},
        {"ff", 16, 10, "255", "FF"},
        {gbk("１Ａ"), 16, 10, "26", "1A"},
        {"00FF", 16, 2, "11111111", "00FF"},
        {"0000", 16, 2, "0", "0000"},
        {ones, 2, 16, "FFFF", ones},
        {zeros, 2, 16, "0", zeros},
        {"FFFFFFFF", 16, 10, "4294967295", "FFFFFFFF"},
        {"", 16, 10, "0", ""},
        {"", 16, 16, "", ""},
        {"1f", 16, 16, "1F", "1F"},
        {"0x1F", 16, 10, badDigit("0X1F", "一十六"), "0X1F"},
        {" 1F", 16, 10, badDigit(" 1F", "一十六"), " 1F"},
        {"ab", 1, 10, gbk("参数错误-进制只能在2-36之间"), "ab"},
        {"ab", 37, 10, gbk("参数错误-进制只能在2-36之间"), "ab"},
        {"ab", 16, 0, gbk("参数错误-进制只能在2-36之间"), "ab"},
        {"1G", 16, 10, badDigit("1G", "一十六"), "1G"},
        {"12", 2, 16, badDigit("12", "二"), "12"},
        {gbk("中"), 16, 10, badDigit(gbk("中"), "一十六"), gbk("中")},
        {"Z", 36, 10, "35", "Z"},
        {"255", 10, 16, "FF", "255"},
        {"21474836479", 10, 10, "21474836479", "21474836479"},
    };
    for (const auto &c : cases) {
        std::string text = c.in;
        EXPECT_EQ(RadixConvert(text, c.from, c.to), c.result) << c.in << " " << c.from << "->" << c.to;
        EXPECT_EQ(text, c.after) << c.in;
    }
}

TEST(RadixConvert, BaseNumeralsInErrors)
{
    const struct {
        int32_t base;
        const char *numeral;
    } cases[] = {{2, "二"}, {8, "八"}, {10, "一十"}, {11, "一十一"}, {16, "一十六"},
                 {20, "二十"}, {25, "二十五"}, {36, "三十六"}};
    for (const auto &c : cases) {
        std::string text = "!";
        EXPECT_EQ(RadixConvert(text, c.base, 10), badDigit("!", c.numeral)) << c.base;
    }
}

// Values at or above toBase * 2^31 give the documented range error, never a wrong number.
TEST(RadixConvert, RangeLimit)
{
    const struct {
        std::string in;
        int32_t from, to;
        std::string result;
    } cases[] = {
        {"4FFFFFFFF", 16, 10, "21474836479"},                         // just below 10 * 2^31
        {"500000000", 16, 10, ""},                                    // exactly 10 * 2^31
        {"FFFFFFFF", 16, 2, std::string(32, '1')},                    // below 2 * 2^31
        {"100000000", 16, 2, ""},                                     // 2^32
        {std::string(400, '0') + "1", 16, 10, "1"},                   // leading zeros beyond any power
        {std::string(400, 'F'), 16, 10, ""},
    };
    for (const auto &c : cases) {
        std::string text = c.in;
        const std::string result = RadixConvert(text, c.from, c.to);
        if (c.result.empty())
            EXPECT_TRUE(isRadixError(result)) << c.in;
        else
            EXPECT_EQ(result, c.result) << c.in;
    }
    std::string text = "5000000000";
    EXPECT_EQ(RadixConvert(text, 10, 2), gbk("参数错误-5000000000超出范围的一十进制数！"));
}
