#include "text/textrules.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    volatile int32_t i = text::textToInt(text);
    volatile double d = text::textToDouble(text);
    (void)i;
    (void)d;
    const std::string half = text::toHalfWidth(text);
    if (half.size() > text.size() || text::removeSpaces(text).size() > text.size())
        __builtin_trap(); // the rules only ever shorten a text
    return 0;
}
