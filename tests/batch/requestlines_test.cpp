#include "batch/requestlines.h"
#include "support/gbk.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

RequestLineChoice vorn(const char *channels, int32_t start, int32_t end)
{
    RequestLineChoice c;
    c.moduleTypeText = gbk("Vorn模块");
    c.channelText = gbk(channels);
    c.start = start;
    c.end = end;
    return c;
}

RequestLineChoice older(int32_t start, int32_t end)
{
    RequestLineChoice c = vorn("9路", start, end);
    c.moduleTypeText = gbk("老模块");
    return c;
}

RequestLineChoice custom(const char *text, bool addressInFront, int32_t start, int32_t end)
{
    RequestLineChoice c = vorn("9路", start, end);
    c.mode = RequestMode::CustomData;
    c.customText = text;
    c.addressInFront = addressInFront;
    return c;
}

} // namespace

TEST(RequestLines, Table)
{
    const struct {
        const char *name;
        RequestLineChoice choice;
        std::string expected;
    } cases[] = {
        {"vorn address 1", vorn("9路", 1, 1), gbk("01 03 10 00 00 25 D1 80  → 1\r\n")},
        {"vorn address 253", vorn("9路", 253, 253), gbk("00 03 10 00 01 25 90 80  → 253\r\n")},
        {"vorn bank switch", vorn("9路", 251, 254),
         gbk("FB 03 10 00 00 25 8B 94  → 251\r\n"
             "FC 03 10 00 00 25 3C 95  → 252\r\n"
             "00 03 10 00 01 25 90 80  → 253\r\n"
             "01 03 10 00 01 25 41 81  → 254\r\n")},
        {"vorn 4 channels", vorn("4路", 1, 1), gbk("01 03 10 00 00 16 C4 C0  → 1\r\n")},
        {"vorn 1 channel", vorn("1路", 1, 1), gbk("01 03 10 00 00 0D CF 80  → 1\r\n")},
        {"vorn no channel", vorn("", 1, 1), gbk("01 03 10 00 00  41 18  → 1\r\n")},
        {"older module", older(1, 2), gbk("EA 01 01 BC  ← 1\r\nEA 02 02 BC  ← 2\r\n")},
        {"custom in front", custom("F1", true, 10, 11), "0A F1\r\n0B F1\r\n"},
        {"custom behind", custom("F1", false, 10, 11), "F1 0A\r\nF1 0B\r\n"},
        {"custom text unchanged", custom(" 03  x ", true, 1, 1), "01  03  x \r\n"},
        {"negative address", older(-1, -1), gbk("EA FFFFFFFF FFFFFFFF BC  ← -1\r\n")},
        {"negative vorn address", vorn("9路", -2, -2), gbk("FFFFFFFE 03 10 00 00 25 CA 9B  → -2\r\n")},
        {"three hex digits", custom("F1", false, 256, 256), "F1 100\r\n"},
        {"highest address", custom("F1", true, INT_MAX, INT_MAX), "7FFFFFFF F1\r\n"},
        {"no module type", [] { RequestLineChoice c = vorn("9路", 1, 3); c.moduleTypeText.clear(); return c; }(), ""},
        {"start above end", vorn("9路", 5, 3), ""},
        {"whole integer range", custom("F1", true, INT_MIN, INT_MAX), ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(buildRequestLines(c.choice), c.expected) << c.name;
}

TEST(RequestLines, RangeBound)
{
    const std::string atBound = buildRequestLines(custom("F1", true, 0, REQUEST_LINES_MAX_ADDRESS_COUNT - 1));
    EXPECT_EQ(atBound.substr(0, 7), "00 F1\r\n");
    EXPECT_EQ(atBound.substr(atBound.size() - 9), "FFFF F1\r\n");
    EXPECT_EQ(buildRequestLines(custom("F1", true, 0, REQUEST_LINES_MAX_ADDRESS_COUNT)), "");
    EXPECT_EQ(buildRequestLines(vorn("9路", -1, REQUEST_LINES_MAX_ADDRESS_COUNT - 1)), "");
}

// Every range the address lists offer is generated in full.
TEST(RequestLines, WholeVornListRange)
{
    const std::string lines = buildRequestLines(vorn("9路", 1, 506));
    size_t count = 0;
    for (size_t p = lines.find("\r\n"); p != std::string::npos; p = lines.find("\r\n", p + 2))
        ++count;
    EXPECT_EQ(count, 506u);
    const std::string first = gbk("01 03 10 00 00 25 D1 80  → 1\r\n");
    EXPECT_EQ(lines.substr(0, first.size()), first);
    const std::string last = gbk("FD 03 10 00 01 25 7D 95  → 506\r\n");
    EXPECT_EQ(lines.substr(lines.size() - last.size()), last);
}
