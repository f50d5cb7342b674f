#include "convert/hexcrc16.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <random>

namespace {

uint16_t modbusCrc(const std::vector<uint8_t> &bytes)
{
    uint16_t reg = 0xFFFF;
    for (uint8_t b : bytes) {
        reg ^= b;
        for (int i = 0; i < 8; ++i)
            reg = (reg & 1) ? static_cast<uint16_t>((reg >> 1) ^ 0xA001) : static_cast<uint16_t>(reg >> 1);
    }
    return reg;
}

} // namespace

TEST(HexCrc16, Table)
{
    const struct {
        const char *in;
        const char *crc;
    } cases[] = {
        {"01 03 00 00 00 0A", "CD C5"},
        {"01 03 00 00 00 01", "0A 84"},
        {"11 03 00 6B 00 03", "87 76"},
        {"010300000001", "0A 84"},
        {"01 03 00 00 00 0A C5 CD", "00 00"},
        {"FF", "00 FF"},
        {"01", "80 7E"},
        {"010", "80 7E"},
        {"00", "40 BF"},
        {"0G", "40 BF"},
        {"", "FF FF"},
        {"01 03 10 00 00 25", "D1 80"},
        {"31 32 33 34 35 36 37 38 39", "4B 37"}, // the catalogue check value of CRC-16/MODBUS
        {"0G 01", "70 C0"},                      // the pair after an invalid one is processed normally
    };
    for (const auto &c : cases)
        EXPECT_EQ(HexCrc16(c.in), c.crc) << c.in;
}

TEST(HexCrc16, MatchesTheBitwiseCrcOnRandomFrames)
{
    std::mt19937 rng(20261211);
    for (int round = 0; round < 2000; ++round) {
        const size_t length = rng() % 301;
        std::vector<uint8_t> bytes(length);
        std::string text;
        for (auto &b : bytes) {
            b = static_cast<uint8_t>(rng());
            char pair[3];
            std::snprintf(pair, sizeof pair, (rng() & 1) ? "%02X" : "%02x", b);
            text += pair;
            text.append(rng() % 3, ' ');
        }
        const uint16_t crc = modbusCrc(bytes);
        char expected[6];
        std::snprintf(expected, sizeof expected, "%02X %02X", crc >> 8, crc & 0xFF);
        ASSERT_EQ(HexCrc16(text), expected) << text;
    }
}

TEST(BitTextXor, AlignsOnTheRightAndComparesBytes)
{
    std::string a = "1111 0000";
    std::string b = "11";
    EXPECT_EQ(BitTextXor(a, b), "11110011");
    EXPECT_EQ(a, "11110000");
    EXPECT_EQ(b, "00000011");

    a = "0101";
    b = "XY0000";
    EXPECT_EQ(BitTextXor(a, b), "0101");
    EXPECT_EQ(b, "0000");

    a = "01";
    b = "ab";
    EXPECT_EQ(BitTextXor(a, b), "11");
}
