#pragma once
// Port numbers and names: "COM<n>" lists from the system's port sources and
// from explicit "COM<n>=<device>" maps. No Qt here.

#include <cstdint>
#include <string>
#include <vector>

namespace portnames {

// The first number given to a serial device that is not a /dev/ttyS<k>.
const int32_t FIRST_OTHER_PORT_NUMBER = 33;

struct PortSpec {
    int32_t number;
    std::string device;
};

inline bool operator==(const PortSpec &a, const PortSpec &b)
{
    return a.number == b.number && a.device == b.device;
}

// "COM" followed by the number in decimal.
std::string comName(int32_t number);

// Port numbers from the data of the registry's serial port values: each byte is
// one character, zero bytes add nothing, the first three characters (the "COM")
// are dropped and the rest is read with text::textToInt. Ascending, duplicates kept.
std::vector<int32_t> registryPortNumbers(const std::vector<std::string> &valueData);

// Entries of an explicit map "COM<n>=<device>;COM<m>=<device>", in the order
// given. Blanks around names and devices are ignored; an entry without "=",
// with a name other than COM and a number from 1 up, or with an empty device
// is skipped.
std::vector<PortSpec> parsePortMap(const std::string &map);

// Numbers for the system's serial devices: /dev/ttyS<k> is COM<k+1>; every
// other device gets 33, 34, ... in the order of its name, digit runs compared
// as numbers (ttyUSB2 before ttyUSB10). Sorted by number, duplicates kept.
std::vector<PortSpec> numberSystemDevices(const std::vector<std::string> &devices);

// The system's ports with the explicit entries laid over them: an explicit
// number replaces every system port of that number (the last explicit entry of
// a number wins), so it appears once. Sorted by number, other duplicates kept.
std::vector<PortSpec> mergePortMap(const std::vector<PortSpec> &systemPorts,
                                   const std::vector<PortSpec> &explicitPorts);

} // namespace portnames
