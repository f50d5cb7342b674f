#pragma once

#include <cstdint>
#include <string>

// What one calculator column shows for a frame: the field's hex digits and
// the value after the column's steps.
struct CalcResult
{
    std::string hexText;
    std::string resultText;
};

// Cuts the field of `count` bytes from byte number `start` (from 1) out of
// `frameText` (two hex digits and a space per byte), reads it as a big-endian
// 32-bit two's-complement integer and applies the steps of `operations`, one
// per "\r\n"-separated line: a line starting with + - * / adds, subtracts,
// multiplies or divides by the decimal number after that byte (0 when there is
// none); any other line is skipped. A field that runs past the frame is
// shortened; start or count below 1, or a start past the frame, give an empty
// field that reads as 0. Every input gives a result; see formatResult for the text.
CalcResult computeColumn(const std::string &frameText, int32_t start, int32_t count, const std::string &operations);

// "%.13g" in the "C" locale, with the exponent always written with its sign
// and at least three digits ("1e+014", "2.5e-007"), the same on every platform.
// Infinities are "inf" and "-inf"; every not-a-number is "nan".
std::string formatResult(double value);
