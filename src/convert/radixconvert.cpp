#include "convert/radixconvert.h"

#include "text/textrules.h"

#include <cmath>

namespace {

const char DIGITS[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
const int32_t MIN_BASE = 2;
const int32_t MAX_BASE = 36;

// GBK byte strings of the messages; the comment gives each text.
const char BAD_BASE[] = // 参数错误-进制只能在2-36之间
    "\xb2\xce\xca\xfd\xb4\xed\xce\xf3-\xbd\xf8\xd6\xc6\xd6\xbb\xc4\xdc\xd4\xda" "2-36"
    "\xd6\xae\xbc\xe4";
const char ERROR_HEAD[] = "\xb2\xce\xca\xfd\xb4\xed\xce\xf3-";        // 参数错误-
const char NOT_VALID[] = "\xb2\xbb\xca\xc7\xd2\xbb\xb8\xf6\xd3\xd0\xd0\xa7\xb5\xc4"; // 不是一个有效的
const char OUT_OF_RANGE[] = "\xb3\xac\xb3\xf6\xb7\xb6\xce\xa7\xb5\xc4"; // 超出范围的
const char ERROR_TAIL[] = "\xbd\xf8\xd6\xc6\xca\xfd\xa3\xa1";          // 进制数！
const char NUMERAL_DIGITS[] = // 零一二三四五六七八九, two bytes each
    "\xc1\xe3\xd2\xbb\xb6\xfe\xc8\xfd\xcb\xc4\xce\xe5\xc1\xf9\xc6\xdf\xb0\xcb\xbe\xc5";
const char TEN[] = "\xca\xae"; // 十

std::string numeralDigit(int32_t d) { return std::string(NUMERAL_DIGITS + 2 * d, 2); }

// The base in Chinese numerals; the tens digit is always written (16 is 一十六).
std::string baseNumeral(int32_t base)
{
    if (base < 10)
        return numeralDigit(base);
    std::string s = numeralDigit(base / 10) + TEN;
    if (base % 10)
        s += numeralDigit(base % 10);
    return s;
}

int32_t digitValue(char c, int32_t base)
{
    for (int32_t d = 0; d < base; ++d)
        if (DIGITS[d] == c)
            return d;
    return -1;
}

} // namespace

const char *const RADIX_ERROR_TAIL = ERROR_TAIL;

bool isRadixError(const std::string &result)
{
    const std::string tail = ERROR_TAIL;
    return result.size() >= tail.size() && result.compare(result.size() - tail.size(), tail.size(), tail) == 0;
}

std::string RadixConvert(std::string &text, int32_t fromBase, int32_t toBase)
{
    if (fromBase < MIN_BASE || fromBase > MAX_BASE || toBase < MIN_BASE || toBase > MAX_BASE)
        return BAD_BASE;

    text = text::toUpperAscii(text::toHalfWidth(text));

    for (char c : text)
        if (digitValue(c, fromBase) < 0)
            return ERROR_HEAD + text + NOT_VALID + baseNumeral(fromBase) + ERROR_TAIL;

    if (fromBase == toBase)
        return text;

    // Reading: most significant digit first, each term d * base^(n-j) added in
    // double precision. Below the bound every sum is an exact integer (< 2^37),
    // and since terms are never negative, passing the bound once is final.
    // Zero digits add nothing and are skipped, so a long run of leading zeros
    // never meets an infinite power.
    const double bound = static_cast<double>(toBase) * 2147483648.0;
    const size_t n = text.size();
    double value = 0.0;
    for (size_t j = 0; j < n; ++j) {
        const int32_t d = digitValue(text[j], fromBase);
        if (d == 0)
            continue;
        value = std::trunc(d * std::pow(static_cast<double>(fromBase), static_cast<double>(n - 1 - j)) + value);
        if (!(value < bound))
            return ERROR_HEAD + text + OUT_OF_RANGE + baseNumeral(fromBase) + ERROR_TAIL;
    }

    // Writing: the first quotient fits in 32 bits because value < toBase * 2^31.
    int64_t v = static_cast<int64_t>(value);
    std::string result;
    while (v >= toBase) {
        result.insert(result.begin(), DIGITS[v % toBase]);
        v = static_cast<int32_t>(v / toBase);
    }
    result.insert(result.begin(), DIGITS[v]);
    return result;
}
