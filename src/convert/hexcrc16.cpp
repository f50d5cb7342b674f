#include "convert/hexcrc16.h"

#include "convert/radixconvert.h"
#include "text/textrules.h"

namespace {

const char POLYNOMIAL_BITS[] = "1010 0000 0000 0001"; // 0xA001
const int BITS_PER_BYTE = 8;
const size_t HALF_REGISTER = 8;

std::string toBits(std::string hex) { return RadixConvert(hex, 16, 2); }

} // namespace

std::string BitTextXor(std::string &a, std::string &b)
{
    a = text::removeSpaces(a);
    b = text::removeSpaces(b);
    if (a.size() > b.size())
        b.insert(0, a.size() - b.size(), '0');
    else if (a.size() < b.size())
        b = b.substr(b.size() - a.size());
    std::string result(a.size(), '0');
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i])
            result[i] = '1';
    return result;
}

std::string HexCrc16(const std::string &hexText)
{
    const std::string q = text::removeSpaces(hexText);
    std::string reg = toBits("FFFF");
    const size_t pairs = q.size() / 2;
    for (size_t k = 0; k < pairs; ++k) {
        std::string bits = toBits(q.substr(2 * k, 2));
        reg = BitTextXor(reg, bits);
        for (int step = 0; step < BITS_PER_BYTE; ++step) {
            const char out = reg.back();
            reg.pop_back();
            reg.insert(reg.begin(), '0');
            if (out == '1') {
                std::string poly = POLYNOMIAL_BITS;
                reg = BitTextXor(reg, poly);
            }
        }
    }
    std::string swapped = reg.substr(HALF_REGISTER) + reg.substr(0, HALF_REGISTER);
    std::string hex = "000" + RadixConvert(swapped, 2, 16);
    hex = hex.substr(hex.size() - 4); // low byte, then high byte
    return hex.substr(2, 2) + " " + hex.substr(0, 2);
}
