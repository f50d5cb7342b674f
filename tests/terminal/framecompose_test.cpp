#include "terminal/framecompose.h"
#include "terminal/receivedecoder.h"
#include "support/gbk.h"

#include <gtest/gtest.h>

TEST(FrameCompose, RegroupHex)
{
    EXPECT_EQ(regroupHex("0103 1000 0025"), "01 03 10 00 00 25");
    EXPECT_EQ(regroupHex("0a0b"), "0A 0B");
    EXPECT_EQ(regroupHex("01 0"), "01 0");
    EXPECT_EQ(regroupHex("   "), "");
    EXPECT_EQ(regroupHex(gbk("a中")), std::string("A\xD6 \xD0"));
}

TEST(FrameCompose, HexFrameAndBytes)
{
    const struct {
        const char *send;
        bool crc, reversed;
        std::string frame, bytes;
    } cases[] = {
        {"0103 1000 0025", false, false, "01 03 10 00 00 25", std::string("\x01\x03\x10\x00\x00\x25", 6)},
        {"01 03 00 00 00 01", true, false, "01 03 00 00 00 01 0A 84", std::string("\x01\x03\x00\x00\x00\x01\x0A\x84", 8)},
        {"01 03 00 00 00 01", true, true, "01 03 00 00 00 01 84 0A", std::string("\x01\x03\x00\x00\x00\x01\x84\x0A", 8)},
        {"0G 12", false, false, "0G 12", std::string("\x00\x12", 2)},
        {"   ", false, false, "", ""},
        {"   ", true, false, " FF FF", std::string("\x00\xFF\xFF", 3)},
    };
    for (const auto &c : cases) {
        const std::string frame = composeHexFrame(c.send, c.crc, c.reversed);
        EXPECT_EQ(frame, c.frame) << c.send;
        EXPECT_EQ(hexToBytes(frame), c.bytes) << c.send;
    }
}

TEST(ReceiveDecoder, HexDisplayAppendsTheFrameText)
{
    ReceiveState s;
    std::string shown;
    for (uint8_t b : {0x01, 0x03, 0x02, 0x00, 0x0A, 0xFF})
        shown += decodeReceivedByte(s, b, true);
    EXPECT_EQ(shown, "01 03 02 00 0A FF ");
    EXPECT_EQ(s.rxFrameText, shown);
}

TEST(ReceiveDecoder, TextDisplayAssemblesDoubleByteCharacters)
{
    const struct {
        std::vector<uint8_t> bytes;
        std::vector<std::string> shown; // per byte
    } cases[] = {
        {{0x41, 0x42}, {"A", "B"}},
        {{0xD6, 0xD0}, {"", gbk("中")}},
        {{0xD6, 0x41, 0xD0}, {"", "A", gbk("中")}},
        {{0x00}, {""}},
    };
    for (const auto &c : cases) {
        ReceiveState s;
        for (size_t i = 0; i < c.bytes.size(); ++i)
            EXPECT_EQ(decodeReceivedByte(s, c.bytes[i], false), c.shown[i]);
        EXPECT_EQ(s.rxFrameText, "");
        EXPECT_EQ(s.dbcsPending, std::string(2, '\0'));
    }
}
