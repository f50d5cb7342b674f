#pragma once

#include <cstdint>
#include <string>

// What the receive display keeps between bytes.
struct ReceiveState
{
    std::string rxFrameText; // "%02X " per byte in hexadecimal display since the last line break
    std::string dbcsPending; // lead byte, trail byte; both 0 when no lead byte waits
};

// Processes one received byte and returns the text to show for it (GBK; may be
// empty). Hexadecimal display: "%02X " shown and appended to rxFrameText. Text
// display: a byte below 0x80 shows at once (0 shows nothing); bytes of 0x80 or
// more pair up into one double-byte character, the lead byte waiting meanwhile.
std::string decodeReceivedByte(ReceiveState &state, uint8_t byte, bool hexDisplay);
