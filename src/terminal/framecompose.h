#pragma once

#include <string>

// Hex digits regrouped as pairs separated by single spaces, upper case; spaces
// (0x20, 0xA1A1) removed first; any byte is grouped like a digit, so a
// double-byte character may be split across two pairs.
std::string regroupHex(const std::string &text);

// The frame text of a hexadecimal send: the regrouped body and, when asked, the
// CRC of the typed text high byte first, or low byte first when reversed.
std::string composeHexFrame(const std::string &sendText, bool withCrc, bool crcLowByteFirst);

// One byte per piece between single spaces (the last piece only if not empty):
// the piece read as a hex number, its low 8 bits; a piece that is not hex gives 0.
std::string hexToBytes(const std::string &frameText);
