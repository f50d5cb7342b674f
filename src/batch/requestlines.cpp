#include "batch/requestlines.h"

#include "convert/hexcrc16.h"

#include <cstdio>

namespace {

const char VORN_MODULE_TEXT[] = "Vorn\xC4\xA3\xBF\xE9";       // "Vorn模块"
const char OLDER_MODULE_TEXT[] = "\xC0\xCF\xC4\xA3\xBF\xE9";  // "老模块"
const char RIGHT_ARROW_SEPARATOR[] = "  \xA1\xFA ";           // two spaces, "→", one space
const char LEFT_ARROW_SEPARATOR[] = "  \xA1\xFB ";            // two spaces, "←", one space
const char LINE_END[] = "\r\n";

// Vorn addresses from here on are sent as the address minus this, with the
// bank byte 01 in place of 00.
const int32_t VORN_BANK_START = 253;

struct ChannelCountByte
{
    const char *channelText;
    const char *countByte;
};
const ChannelCountByte CHANNEL_COUNT_BYTES[] = {
    {"9\xC2\xB7", "25"}, // "9路"
    {"4\xC2\xB7", "16"}, // "4路"
    {"1\xC2\xB7", "0D"}, // "1路"
};

// "%02X" of the 32-bit value: a negative address gives eight digits.
std::string hexOf(int32_t value)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned>(static_cast<uint32_t>(value)));
    return buf;
}

std::string countByteFor(const std::string &channelText)
{
    for (const ChannelCountByte &c : CHANNEL_COUNT_BYTES)
        if (channelText == c.channelText)
            return c.countByte;
    return std::string();
}

std::string vornLine(int32_t address, const std::string &countByte)
{
    const bool upperBank = address >= VORN_BANK_START;
    const std::string frame = hexOf(upperBank ? address - VORN_BANK_START : address)
        + (upperBank ? " 03 10 00 01 " : " 03 10 00 00 ") + countByte;
    return frame + " " + HexCrc16(frame) + RIGHT_ARROW_SEPARATOR + std::to_string(address);
}

std::string olderModuleLine(int32_t address)
{
    const std::string hex = hexOf(address);
    return "EA " + hex + " " + hex + " BC" + LEFT_ARROW_SEPARATOR + std::to_string(address);
}

} // namespace

bool isVornModuleText(const std::string &moduleTypeText)
{
    return moduleTypeText == VORN_MODULE_TEXT;
}

std::string buildRequestLines(const RequestLineChoice &choice)
{
    const int64_t count = static_cast<int64_t>(choice.end) - choice.start + 1;
    if (count <= 0 || count > REQUEST_LINES_MAX_ADDRESS_COUNT)
        return std::string();

    const bool vorn = isVornModuleText(choice.moduleTypeText);
    const bool older = choice.moduleTypeText == OLDER_MODULE_TEXT;
    if (choice.mode == RequestMode::DefaultData && !vorn && !older)
        return std::string();
    const std::string countByte = countByteFor(choice.channelText);

    std::string result;
    // 64-bit counter so that an end of INT32_MAX still stops.
    for (int64_t i = choice.start; i <= choice.end; ++i) {
        const auto address = static_cast<int32_t>(i);
        if (choice.mode == RequestMode::CustomData)
            result += choice.addressInFront ? hexOf(address) + " " + choice.customText
                                            : choice.customText + " " + hexOf(address);
        else if (vorn)
            result += vornLine(address, countByte);
        else
            result += olderModuleLine(address);
        result += LINE_END;
    }
    return result;
}
