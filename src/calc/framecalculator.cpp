#include "calc/framecalculator.h"

#include "convert/radixconvert.h"
#include "text/textrules.h"

#include <charconv>
#include <cmath>

namespace {

const int32_t HEX_BASE = 16;
const int32_t DECIMAL_BASE = 10;
const int RESULT_SIGNIFICANT_DIGITS = 13;
const size_t EXPONENT_MIN_DIGITS = 3;
// Each byte of the frame text takes two hex digits and one space.
const int64_t CHARS_PER_BYTE = 3;

// The field's characters, clipped to the text. Positions are computed in 64 bits
// so that no start or count can overflow.
std::string cutField(const std::string &frameText, int32_t start, int32_t count)
{
    if (start < 1 || count < 1)
        return std::string();
    const int64_t first = CHARS_PER_BYTE * start - 3;                   // 0-based, first hex digit
    const int64_t last = CHARS_PER_BYTE * (int64_t(start) + count - 1) - 2; // 0-based, last hex digit
    const int64_t size = static_cast<int64_t>(frameText.size());
    if (first >= size)
        return std::string();
    const int64_t end = last + 1 < size ? last + 1 : size;
    return text::removeSpaces(frameText.substr(static_cast<size_t>(first), static_cast<size_t>(end - first)));
}

double applyStep(double value, char op, double operand)
{
    switch (op) {
    case '+': return value + operand;
    case '-': return value - operand;
    case '*': return value * operand;
    case '/': return value / operand;
    default: return value;
    }
}

bool isStep(char c) { return c == '+' || c == '-' || c == '*' || c == '/'; }

} // namespace

std::string formatResult(double value)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";

    // to_chars never looks at the locale, unlike printf, whose decimal point
    // follows the locale that the GUI toolkit installs.
    char buffer[64];
    const std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general,
                                                 RESULT_SIGNIFICANT_DIGITS);
    std::string s(buffer, r.ptr);

    const size_t e = s.find('e');
    if (e == std::string::npos || e + 2 > s.size())
        return s;
    // "e", the sign, then the digits, widened with leading zeros.
    const size_t digitsAt = e + 2;
    const size_t digits = s.size() - digitsAt;
    if (digits < EXPONENT_MIN_DIGITS)
        s.insert(digitsAt, EXPONENT_MIN_DIGITS - digits, '0');
    return s;
}

CalcResult computeColumn(const std::string &frameText, int32_t start, int32_t count, const std::string &operations)
{
    CalcResult result;
    result.hexText = cutField(frameText, start, count);

    std::string digits = result.hexText;
    const std::string decimal = RadixConvert(digits, HEX_BASE, DECIMAL_BASE);
    // Only hex digits reach RadixConvert from a received frame; any other text
    // (or a field too long to read) counts as 0 rather than as its error text.
    double value = isRadixError(decimal) ? 0.0 : static_cast<double>(text::textToInt(decimal));

    for (const std::string &line : text::splitText(operations, "\r\n")) {
        if (line.empty() || !isStep(line[0]))
            continue;
        value = applyStep(value, line[0], text::textToDouble(line.substr(1)));
    }

    result.resultText = formatResult(value);
    return result;
}
