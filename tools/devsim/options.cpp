#include "options.h"

#include <cstdlib>

namespace {

const int SLAVE_MIN = 1;
const int SLAVE_MAX = 247;

const char USAGE[] =
    R"(Usage: tavlo-devsim [OPTIONS]

A Modbus RTU device on a pseudo-terminal, served by libmodbus. It prints the
device path other programs open (for example /dev/pts/5) as one line on stdout
and answers requests until ^C, SIGTERM or SIGHUP.

Options:
  --slave N             answer requests for address N (1-247, default 1)
  --link PATH           also make PATH a symbolic link to the device; it is
                        removed on exit (PATH must not exist yet)
  --accept-swapped-crc  also accept requests whose CRC-16 is stored high byte
                        first; by default such a request gets no answer, as
                        from any standard device. Answers are always standard
                        Modbus RTU frames (CRC low byte first).
  --verbose             print every request and answer in hex on stderr
  -h, --help            show this text

Data (functions 01-06, 15, 16, 22 and 23; addresses 0x0000-0x10FF):
  holding register k    k (0x0000-0x0009 hold 0-9), writable
  input register k      0x8000 + k
  register 0x1000       seconds since start, modulo 65536 (holding and input)
  register 0x1001       a temperature in tenths of a degree Celsius, varying
                        between 200 and 300 over 60 s (holding and input)
  coil k                1 when k is odd, writable
  discrete input k      1 when k is a multiple of 3
Registers 0x1000 and 0x1001 are refreshed before every request, so writes to
them do not stick. A request ends after 10 ms of silence on the line. A request
with a wrong CRC, for another address or broadcast (address 0) gets no answer;
a read or write outside the map gets an exception answer.
)";

// Reads a whole decimal number in [min, max]; anything else is rejected.
bool readNumber(const std::string &text, int min, int max, int &value)
{
    if (text.empty() || text.size() > 9)
        return false;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    const long number = std::strtol(text.c_str(), nullptr, 10);
    if (number < min || number > max)
        return false;
    value = static_cast<int>(number);
    return true;
}

} // namespace

ParseResult parseOptions(int argc, char **argv, Options &options, std::string &error)
{
    for (int i = 1; i < argc; ++i) {
        std::string name = argv[i];
        std::string value;
        bool hasValue = false;
        const size_t equals = name.find('=');
        if (name.compare(0, 2, "--") == 0 && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
            hasValue = true;
        }
        const bool takesValue = name == "--slave" || name == "--link";
        if (takesValue && !hasValue) {
            if (i + 1 >= argc) {
                error = name + " needs a value";
                return ParseResult::Invalid;
            }
            value = argv[++i];
            hasValue = true;
        }
        if (hasValue && !takesValue) {
            error = name + " takes no value";
            return ParseResult::Invalid;
        }

        if (name == "-h" || name == "--help") {
            return ParseResult::Help;
        } else if (name == "--slave") {
            if (!readNumber(value, SLAVE_MIN, SLAVE_MAX, options.slave)) {
                error = "--slave wants an address from 1 to 247, not \"" + value + "\"";
                return ParseResult::Invalid;
            }
        } else if (name == "--link") {
            if (value.empty()) {
                error = "--link needs a path";
                return ParseResult::Invalid;
            }
            options.linkPath = value;
        } else if (name == "--accept-swapped-crc") {
            options.acceptSwappedCrc = true;
        } else if (name == "--verbose") {
            options.verbose = true;
        } else {
            error = "unknown option " + name;
            return ParseResult::Invalid;
        }
    }
    return ParseResult::Run;
}

const char *usageText()
{
    return USAGE;
}
