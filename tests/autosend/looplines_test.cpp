#include "autosend/looplines.h"
#include "support/gbk.h"

#include <gtest/gtest.h>

using Lines = std::vector<std::string>;

TEST(LoopLines, Splitting)
{
    EXPECT_EQ(splitLoopList("A\r\nB\r\n"), (Lines{"A", "B"}));
    EXPECT_EQ(splitLoopList("A\r\n\r\nB"), (Lines{"A", "", "B"}));
    EXPECT_EQ(splitLoopList("\r\nA"), (Lines{"", "A"}));
    EXPECT_EQ(splitLoopList(" A \r\n"), (Lines{" A "}));
    EXPECT_EQ(splitLoopList(""), Lines{});
}

TEST(LoopLines, FramePart)
{
    const struct {
        const char *line, *frame;
    } cases[] = {
        {"01 03 10 00 00 25 D1 80  → 1", "01 03 10 00 00 25 D1 80 "},
        {"00 03 10 00 01 25 90 80  → 253", "00 03 10 00 01 25 90 80 "},
        {"EA 05 05 BC  ← 5", "EA 05 05 BC "},
        {"01 03  → 1", "01 03  → 1"}, // shorter than 24 bytes: whole, arrow included
        {"01 03 00 64 00 08", "01 03 00 64 00 08"},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(framePart(gbk(c.line)), gbk(c.frame)) << c.line;
}
