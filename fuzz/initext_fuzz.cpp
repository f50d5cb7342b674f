#include "settings/initext.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

const size_t HEADER_BYTES = 3;
const size_t NAME_MAX_BYTES = 16;
const size_t LONG_VALUE_BYTES = ini::VALUE_MAX_BYTES + 100;

std::string take(const std::string &in, size_t &pos, size_t length)
{
    const std::string piece = in.substr(pos, length);
    pos += piece.size();
    return piece;
}

} // namespace

// The first three bytes give the lengths of the section, the key and the value
// that follow them in that order; the rest is the file's content. A value length
// of 255 repeats the value past the read limit.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < HEADER_BYTES)
        return 0;
    const std::string in(reinterpret_cast<const char *>(data), size);
    size_t pos = HEADER_BYTES;
    const std::string section = take(in, pos, data[0] % NAME_MAX_BYTES);
    const std::string key = take(in, pos, data[1] % NAME_MAX_BYTES);
    std::string value = take(in, pos, data[2]);
    const std::string content = in.substr(pos);
    if (data[2] == 0xFF && !value.empty()) {
        while (value.size() < LONG_VALUE_BYTES)
            value += value;
    }

    // Names that never match the written ones: a write must leave their values alone.
    const std::string otherKey = key + "\x01x";
    const std::string otherSection = section + "\x01x";
    const auto otherKeyBefore = ini::readValue(content, section, otherKey);
    const auto otherSectionBefore = ini::readValue(content, otherSection, key);

    const std::string written = ini::writeValue(content, section, key, value);
    if (!ini::isWritable(section, key)) {
        if (written != content)
            __builtin_trap();
        return 0;
    }

    std::string expected;
    for (char c : value) {
        if (c != '\r' && c != '\n')
            expected.push_back(c);
    }
    if (expected.size() > ini::VALUE_MAX_BYTES)
        expected.resize(ini::VALUE_MAX_BYTES);
    if (ini::readValue(written, section, key) != expected)
        __builtin_trap(); // a written value must read back
    if (ini::readValue(written, section, otherKey) != otherKeyBefore
        || ini::readValue(written, otherSection, key) != otherSectionBefore)
        __builtin_trap();
    return 0;
}
