#include "terminal/receivedecoder.h"

namespace {

const char HEX_DIGITS[] = "0123456789ABCDEF";

} // namespace

std::string decodeReceivedByte(ReceiveState &state, uint8_t byte, bool hexDisplay)
{
    std::string &pending = state.dbcsPending;
    if (pending.size() != 2) {
        pending.append(2, '\0');
        pending.resize(2);
    }

    if (hexDisplay) {
        const char t[3] = {HEX_DIGITS[byte >> 4], HEX_DIGITS[byte & 0xF], ' '};
        state.rxFrameText.append(t, 3);
        return std::string(t, 3);
    }
    if (byte < 0x80)
        return byte == 0 ? std::string() : std::string(1, static_cast<char>(byte));
    if (pending[0] == '\0') {
        pending[0] = static_cast<char>(byte);
        return std::string();
    }
    pending[1] = static_cast<char>(byte);
    const std::string character = pending;
    pending.assign(2, '\0');
    return character;
}
