#pragma once
// Byte-text rules shared by every part of the program. Text is a byte string in
// the ANSI code page (GBK): lengths and positions count bytes, a double-byte
// character is a lead byte of 0x80 or more followed by one trail byte.

#include <cstdint>
#include <string>
#include <vector>

namespace text {

// True for a byte that starts a double-byte character.
inline bool isLeadByte(unsigned char b) { return b >= 0x80; }

// Removes every 0x20 and every ideographic space 0xA1A1, nothing else.
std::string removeSpaces(const std::string &s);

// Removes the same two kinds of space at both ends.
std::string trimSpaces(const std::string &s);

// Every piece between two delimiters, empty ones included; the piece after the
// last delimiter only when it is not empty. An empty text gives no piece.
std::vector<std::string> splitText(const std::string &s, const std::string &delimiter);

// Full-width ASCII forms (0xA3A1..0xA3FE) become ASCII, 0xA1A1 a space,
// 0xA1AB "~", 0xA1EE and 0xA1EF "*"; other double-byte characters stay; a lead
// byte that ends the text is dropped.
std::string toHalfWidth(const std::string &s);

// "a".."z" to "A".."Z"; the trail byte of a double-byte character is never changed.
std::string toUpperAscii(const std::string &s);

// Full-width forms read as ASCII, leading white space, optional sign, decimal
// digits up to the first other byte; wraps modulo 2^32; no digits give 0.
int32_t textToInt(const std::string &s);

// Full-width forms read as ASCII, then a decimal number with optional sign,
// decimal point and exponent, read as far as it goes; no number gives 0.
double textToDouble(const std::string &s);

} // namespace text
