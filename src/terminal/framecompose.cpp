#include "terminal/framecompose.h"

#include "convert/hexcrc16.h"
#include "convert/radixconvert.h"
#include "text/textrules.h"

std::string regroupHex(const std::string &text)
{
    const std::string t = text::removeSpaces(text);
    std::string out;
    out.reserve(t.size() + t.size() / 2 + 1);
    for (size_t i = 0; i < t.size(); i += 2) {
        out.append(t, i, 2);
        out += ' ';
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return text::toUpperAscii(out);
}

std::string composeHexFrame(const std::string &sendText, bool withCrc, bool crcLowByteFirst)
{
    std::string frame = regroupHex(sendText);
    if (!withCrc)
        return frame;
    const std::string crc = HexCrc16(sendText); // "HH LL"
    if (crcLowByteFirst)
        return frame + " " + crc.substr(3, 2) + " " + crc.substr(0, 2);
    return frame + " " + crc;
}

std::string hexToBytes(const std::string &frameText)
{
    std::string bytes;
    for (std::string piece : text::splitText(frameText, " ")) {
        const std::string decimal = RadixConvert(piece, 16, 10);
        bytes += static_cast<char>(static_cast<uint32_t>(text::textToInt(decimal)) & 0xFFu);
    }
    return bytes;
}
