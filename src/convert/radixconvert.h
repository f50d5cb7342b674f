#pragma once

#include <cstdint>
#include <string>

// Converts the number spelled by `text` in base `fromBase` into base `toBase`
// (both 2..36). Never fails by exception: a bad base or a bad digit returns an
// error text instead of a result, and every error text a caller can meet on a
// bad digit or a too-large value ends in "进制数！" (GBK), so callers test its
// last bytes.
//
// `text` is in/out: when both bases are valid it is replaced by its normalised
// form (half-width, upper case) before anything else can fail.
//
// Values are exact below toBase * 2^31. A value at or above that bound gives
// "参数错误-" + normalised text + "超出范围的" + base numeral + "进制数！":
// the same on every run and platform, and recognised as a failure like a bad digit.
std::string RadixConvert(std::string &text, int32_t fromBase, int32_t toBase);

// Error-text tail shared by every digit and range failure of RadixConvert.
extern const char *const RADIX_ERROR_TAIL;

// True when `result` is one of RadixConvert's error texts.
bool isRadixError(const std::string &result);
