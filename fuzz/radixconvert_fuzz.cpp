// Any bytes, any bases: the first two bytes choose the bases (some outside 2..36).
#include "convert/radixconvert.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const int32_t fromBase = static_cast<int8_t>(data[0]) % 40;
    const int32_t toBase = static_cast<int8_t>(data[1]) % 40;
    std::string text(reinterpret_cast<const char *>(data + 2), size - 2);
    const std::string result = RadixConvert(text, fromBase, toBase);
    if (result.empty() && !text.empty() && fromBase != toBase)
        __builtin_trap(); // a conversion always writes at least one digit or an error
    return 0;
}
