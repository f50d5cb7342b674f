#pragma once

#include <string>

// CRC-16 of Modbus RTU over the bytes a hex text spells, as "HH LL" (high byte
// first). Works on bit texts so that input which is not valid hex still has a
// fixed result: a pair that is not two hex digits sets the register to all ones;
// a lone last digit is ignored; spaces are removed first. Always five bytes.
std::string HexCrc16(const std::string &hexText);

// Position-wise exclusive or of two texts of "0"/"1" characters, aligned on
// their right ends; the result has the length of `a` without its spaces. Both
// arguments are in/out: spaces removed, and `b` padded or cut to align with `a`.
// Equal bytes give "0", different bytes "1", whatever the bytes are.
std::string BitTextXor(std::string &a, std::string &b);
