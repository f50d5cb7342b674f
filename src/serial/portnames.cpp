#include "serial/portnames.h"

#include "text/textrules.h"

#include <algorithm>
#include <cstddef>
#include <limits>

namespace portnames {

namespace {

const char COM_PREFIX[] = "COM";
const size_t COM_PREFIX_LENGTH = 3;
const char TTYS_PREFIX[] = "ttyS";
const size_t TTYS_PREFIX_LENGTH = 4;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string trimBlanks(const std::string &s)
{
    size_t begin = 0;
    size_t end = s.size();
    while (begin < end && isBlank(s[begin]))
        ++begin;
    while (end > begin && isBlank(s[end - 1]))
        --end;
    return s.substr(begin, end - begin);
}

// Reads a run of decimal digits (nothing else) as a number no larger than
// limit; false for an empty run, another byte or a larger value.
bool readDecimal(const std::string &digits, int64_t limit, int64_t &value)
{
    if (digits.empty())
        return false;
    value = 0;
    for (char c : digits) {
        if (!isDigit(c))
            return false;
        value = value * 10 + (c - '0');
        if (value > limit)
            return false;
    }
    return true;
}

bool startsWithNoCase(const std::string &s, const char *prefix, size_t length)
{
    if (s.size() < length)
        return false;
    for (size_t i = 0; i < length; ++i) {
        char c = s[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c != prefix[i])
            return false;
    }
    return true;
}

std::string baseName(const std::string &path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The COM number of a /dev/ttyS<k> device, or 0 for any other device.
int32_t ttySNumber(const std::string &device)
{
    const std::string name = baseName(device);
    if (name.compare(0, TTYS_PREFIX_LENGTH, TTYS_PREFIX) != 0)
        return 0;
    int64_t k = 0;
    if (!readDecimal(name.substr(TTYS_PREFIX_LENGTH), std::numeric_limits<int32_t>::max() - 1, k))
        return 0;
    return static_cast<int32_t>(k + 1);
}

// Byte order, except that runs of digits compare by their value.
bool naturalLess(const std::string &a, const std::string &b)
{
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            size_t iEnd = i;
            size_t jEnd = j;
            while (iEnd < a.size() && isDigit(a[iEnd]))
                ++iEnd;
            while (jEnd < b.size() && isDigit(b[jEnd]))
                ++jEnd;
            size_t iSignificant = i;
            size_t jSignificant = j;
            while (iSignificant + 1 < iEnd && a[iSignificant] == '0')
                ++iSignificant;
            while (jSignificant + 1 < jEnd && b[jSignificant] == '0')
                ++jSignificant;
            const size_t iDigits = iEnd - iSignificant;
            const size_t jDigits = jEnd - jSignificant;
            if (iDigits != jDigits)
                return iDigits < jDigits;
            const int order = a.compare(iSignificant, iDigits, b, jSignificant, jDigits);
            if (order != 0)
                return order < 0;
            i = iEnd;
            j = jEnd;
            continue;
        }
        if (a[i] != b[j])
            return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
        ++i;
        ++j;
    }
    if (a.size() - i != b.size() - j)
        return a.size() - i < b.size() - j;
    return a < b;
}

void sortByNumber(std::vector<PortSpec> &ports)
{
    std::stable_sort(ports.begin(), ports.end(),
                     [](const PortSpec &x, const PortSpec &y) { return x.number < y.number; });
}

} // namespace

std::string comName(int32_t number)
{
    return COM_PREFIX + std::to_string(number);
}

std::vector<int32_t> registryPortNumbers(const std::vector<std::string> &valueData)
{
    std::vector<int32_t> numbers;
    numbers.reserve(valueData.size());
    for (const std::string &data : valueData) {
        std::string chars;
        chars.reserve(data.size());
        for (char c : data) {
            if (c != '\0')
                chars += c;
        }
        chars.erase(0, std::min(chars.size(), COM_PREFIX_LENGTH));
        numbers.push_back(text::textToInt(chars));
    }
    std::stable_sort(numbers.begin(), numbers.end());
    return numbers;
}

std::vector<PortSpec> parsePortMap(const std::string &map)
{
    std::vector<PortSpec> ports;
    for (const std::string &entry : text::splitText(map, ";")) {
        const size_t equals = entry.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string name = trimBlanks(entry.substr(0, equals));
        const std::string device = trimBlanks(entry.substr(equals + 1));
        if (device.empty() || !startsWithNoCase(name, COM_PREFIX, COM_PREFIX_LENGTH))
            continue;
        int64_t number = 0;
        if (!readDecimal(name.substr(COM_PREFIX_LENGTH), std::numeric_limits<int32_t>::max(), number)
            || number < 1)
            continue;
        ports.push_back({static_cast<int32_t>(number), device});
    }
    return ports;
}

std::vector<PortSpec> numberSystemDevices(const std::vector<std::string> &devices)
{
    std::vector<PortSpec> ports;
    std::vector<std::string> others;
    for (const std::string &device : devices) {
        const int32_t number = ttySNumber(device);
        if (number > 0)
            ports.push_back({number, device});
        else
            others.push_back(device);
    }
    std::stable_sort(others.begin(), others.end(), naturalLess);
    int32_t next = FIRST_OTHER_PORT_NUMBER;
    for (const std::string &device : others) {
        ports.push_back({next, device});
        if (next < std::numeric_limits<int32_t>::max())
            ++next;
    }
    sortByNumber(ports);
    return ports;
}

std::vector<PortSpec> mergePortMap(const std::vector<PortSpec> &systemPorts,
                                   const std::vector<PortSpec> &explicitPorts)
{
    const auto isExplicit = [&explicitPorts](int32_t number) {
        return std::any_of(explicitPorts.begin(), explicitPorts.end(),
                           [number](const PortSpec &p) { return p.number == number; });
    };
    std::vector<PortSpec> ports;
    for (const PortSpec &port : systemPorts) {
        if (!isExplicit(port.number))
            ports.push_back(port);
    }
    for (size_t i = 0; i < explicitPorts.size(); ++i) {
        const int32_t number = explicitPorts[i].number;
        const bool laterEntry = std::any_of(explicitPorts.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                            explicitPorts.end(),
                                            [number](const PortSpec &p) { return p.number == number; });
        if (!laterEntry)
            ports.push_back(explicitPorts[i]);
    }
    sortByNumber(ports);
    return ports;
}

} // namespace portnames
