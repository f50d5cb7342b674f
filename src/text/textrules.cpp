#include "text/textrules.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace text {

namespace {

const unsigned char IDEOGRAPHIC_SPACE_LEAD = 0xA1;
const unsigned char IDEOGRAPHIC_SPACE_TRAIL = 0xA1;
const unsigned char FULL_WIDTH_LEAD = 0xA3;

// Length of the space starting at position i: 1, 2 (ideographic) or 0.
size_t spaceAt(const std::string &s, size_t i)
{
    if (s[i] == ' ')
        return 1;
    if (i + 1 < s.size() && static_cast<unsigned char>(s[i]) == IDEOGRAPHIC_SPACE_LEAD
        && static_cast<unsigned char>(s[i + 1]) == IDEOGRAPHIC_SPACE_TRAIL)
        return 2;
    return 0;
}

bool isWhite(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

std::string removeSpaces(const std::string &s)
{
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        const size_t n = spaceAt(s, i);
        if (n) {
            i += n;
            continue;
        }
        // Copy a double-byte character whole so its trail byte is never read as a lead.
        const size_t len = isLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
        out.append(s, i, len);
        i += len;
    }
    return out;
}

std::string trimSpaces(const std::string &s)
{
    size_t begin = 0;
    while (begin < s.size() && spaceAt(s, begin))
        begin += spaceAt(s, begin);
    size_t end = s.size();
    while (end > begin) {
        if (s[end - 1] == ' ')
            --end;
        else if (end - begin >= 2 && spaceAt(s, end - 2) == 2)
            end -= 2;
        else
            break;
    }
    return s.substr(begin, end - begin);
}

std::vector<std::string> splitText(const std::string &s, const std::string &delimiter)
{
    std::vector<std::string> pieces;
    if (delimiter.empty()) {
        if (!s.empty())
            pieces.push_back(s);
        return pieces;
    }
    size_t start = 0;
    for (size_t at = s.find(delimiter); at != std::string::npos; at = s.find(delimiter, start)) {
        pieces.push_back(s.substr(start, at - start));
        start = at + delimiter.size();
    }
    if (start < s.size())
        pieces.push_back(s.substr(start));
    return pieces;
}

std::string toHalfWidth(const std::string &s)
{
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const auto lead = static_cast<unsigned char>(s[i]);
        if (!isLeadByte(lead)) {
            out += s[i];
            continue;
        }
        if (i + 1 >= s.size())
            break; // a lone lead byte at the end is dropped
        const auto trail = static_cast<unsigned char>(s[++i]);
        if (lead == FULL_WIDTH_LEAD && trail >= 0xA1 && trail <= 0xFE)
            out += static_cast<char>(trail - 0x80);
        else if (lead == 0xA1 && trail == 0xA1)
            out += ' ';
        else if (lead == 0xA1 && trail == 0xAB)
            out += '~';
        else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF))
            out += '*';
        else {
            out += static_cast<char>(lead);
            out += static_cast<char>(trail);
        }
    }
    return out;
}

std::string toUpperAscii(const std::string &s)
{
    std::string out = s;
    for (size_t i = 0; i < out.size(); ++i) {
        if (isLeadByte(static_cast<unsigned char>(out[i])))
            ++i; // skip the trail byte
        else if (out[i] >= 'a' && out[i] <= 'z')
            out[i] = static_cast<char>(out[i] - 'a' + 'A');
    }
    return out;
}

int32_t textToInt(const std::string &s)
{
    const std::string t = toHalfWidth(s);
    size_t i = 0;
    while (i < t.size() && isWhite(t[i]))
        ++i;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        negative = t[i++] == '-';
    uint32_t value = 0;
    for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i)
        value = value * 10u + static_cast<uint32_t>(t[i] - '0');
    if (negative)
        value = 0u - value;
    // Two's-complement reinterpretation, well defined through memcpy.
    int32_t result;
    std::memcpy(&result, &value, sizeof result);
    return result;
}

double textToDouble(const std::string &s)
{
    const std::string t = toHalfWidth(s);
    size_t i = 0;
    while (i < t.size() && isWhite(t[i]))
        ++i;
    // Take only sign, digits, one point and an exponent, so that strtod's
    // extras (hex floats, "inf", "nan") and the locale play no part.
    std::string number;
    size_t j = i;
    if (j < t.size() && (t[j] == '+' || t[j] == '-'))
        number += t[j++];
    size_t digits = 0;
    for (; j < t.size() && t[j] >= '0' && t[j] <= '9'; ++j, ++digits)
        number += t[j];
    if (j < t.size() && t[j] == '.') {
        number += t[j++];
        for (; j < t.size() && t[j] >= '0' && t[j] <= '9'; ++j, ++digits)
            number += t[j];
    }
    if (digits == 0)
        return 0.0;
    if (j < t.size() && (t[j] == 'e' || t[j] == 'E')) {
        size_t k = j + 1;
        std::string exponent = "e";
        if (k < t.size() && (t[k] == '+' || t[k] == '-'))
            exponent += t[k++];
        const size_t expStart = k;
        for (; k < t.size() && t[k] >= '0' && t[k] <= '9'; ++k)
            exponent += t[k];
        if (k > expStart)
            number += exponent;
    }
    // strtod follows the decimal point of the locale in force (Qt sets the
    // user's locale), so the point is written the way strtod expects it.
    const char *point = std::localeconv()->decimal_point;
    if (point && point[0] != '.' && point[0] != '\0') {
        for (char &c : number)
            if (c == '.')
                c = point[0];
    }
    return std::strtod(number.c_str(), nullptr);
}

} // namespace text
