#include "serial/portnames.h"
#include "support/gbk.h"

#include <gtest/gtest.h>

using namespace portnames;
using Numbers = std::vector<int32_t>;
using Specs = std::vector<PortSpec>;
using Texts = std::vector<std::string>;

namespace {

std::string bytes(const char *data, size_t size)
{
    return std::string(data, size);
}

} // namespace

namespace portnames {

void PrintTo(const PortSpec &p, std::ostream *os)
{
    *os << "COM" << p.number << "=" << p.device;
}

} // namespace portnames

TEST(PortNames, RegistryDataGiveSortedNumbersWithDuplicates)
{
    const struct {
        Texts data;
        Numbers numbers;
    } cases[] = {
        {{"COM10", "COM3", "COM3"}, {3, 3, 10}},
        {{"CNCA0"}, {0}},                                     // fourth character a letter
        {{bytes("COM5\0", 5)}, {5}},                           // terminator inside the reported length
        {{bytes("C\0O\0M\0" "1\0" "2\0", 10)}, {12}},          // zero bytes add nothing
        {{bytes("\0\0\0\0" "COM7", 8)}, {7}},
        {{"COM 7", "COM-3", "COM4x", "CO", ""}, {-3, 0, 0, 4, 7}},
        {{gbk("COM１２")}, {12}},                              // full-width digits read as digits
        {{"COM99999999999"}, {1215752191}},                    // wraps modulo 2^32
        {{}, {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(registryPortNumbers(c.data), c.numbers) << ::testing::PrintToString(c.data);
}

TEST(PortNames, ComNames)
{
    EXPECT_EQ(comName(0), "COM0");
    EXPECT_EQ(comName(3), "COM3");
    EXPECT_EQ(comName(10), "COM10");
}

TEST(PortNames, PortMapSkipsMalformedEntries)
{
    const struct {
        const char *map;
        Specs ports;
    } cases[] = {
        {"COM7=/dev/pts/3;COM9=/dev/ttyUSB0", {{7, "/dev/pts/3"}, {9, "/dev/ttyUSB0"}}},
        {"COMx=/dev/a;COM5;=/dev/b;;COM7=;COM8=/dev/c;", {{8, "/dev/c"}}},
        {"", {}},
        {";;;", {}},
        {"COM0=/dev/a;COM-1=/dev/b;COM+2=/dev/c;COM=/dev/d;COM3x=/dev/e", {}},
        {"COM99999999999=/dev/a;COM2147483647=/dev/b", {{2147483647, "/dev/b"}}},
        {"TTY3=/dev/a;CO3=/dev/b", {}},
        {" COM3 = /dev/a ; com4=/dev/b", {{3, "/dev/a"}, {4, "/dev/b"}}},
        {"COM03=/dev/a=b", {{3, "/dev/a=b"}}},
        {"COM3=/dev/a;COM3=/dev/b", {{3, "/dev/a"}, {3, "/dev/b"}}},
        {"COM7=   ", {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(parsePortMap(c.map), c.ports) << c.map;
}

TEST(PortNames, SystemDevicesAreNumbered)
{
    const struct {
        Texts devices;
        Specs ports;
    } cases[] = {
        {{"/dev/ttyUSB1", "/dev/ttyS0", "/dev/ttyACM0", "/dev/ttyS3", "/dev/ttyUSB10", "/dev/ttyUSB0",
          "/dev/ttyUSB2"},
         {{1, "/dev/ttyS0"},
          {4, "/dev/ttyS3"},
          {33, "/dev/ttyACM0"},
          {34, "/dev/ttyUSB0"},
          {35, "/dev/ttyUSB1"},
          {36, "/dev/ttyUSB2"},
          {37, "/dev/ttyUSB10"}}},
        // Not ttyS<k>: no digits, other bytes, a number past the last COM number.
        {{"/dev/ttyS", "/dev/ttySx1", "/dev/ttyS2147483647", "/dev/ttyS2147483646"},
         {{33, "/dev/ttyS"}, {34, "/dev/ttyS2147483647"}, {35, "/dev/ttySx1"}, {2147483647, "/dev/ttyS2147483646"}}},
        // ttyS32 and the first other device share COM33; both stay.
        {{"/dev/rfcomm0", "/dev/ttyS32"}, {{33, "/dev/ttyS32"}, {33, "/dev/rfcomm0"}}},
        {{"/dev/ttyUSB01", "/dev/ttyUSB1", "/dev/ttyAMA0", "/dev/cu.usbserial-2"},
         {{33, "/dev/cu.usbserial-2"}, {34, "/dev/ttyAMA0"}, {35, "/dev/ttyUSB01"}, {36, "/dev/ttyUSB1"}}},
        {{}, {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(numberSystemDevices(c.devices), c.ports) << ::testing::PrintToString(c.devices);
}

TEST(PortNames, ExplicitEntriesReplaceSystemPortsOfTheirNumber)
{
    const struct {
        Specs system;
        Specs explicitPorts;
        Specs merged;
    } cases[] = {
        {{{1, "/dev/ttyS0"}, {33, "/dev/ttyUSB0"}},
         {{33, "/dev/pts/3"}, {7, "/dev/pts/4"}},
         {{1, "/dev/ttyS0"}, {7, "/dev/pts/4"}, {33, "/dev/pts/3"}}},
        {{{33, "/dev/ttyS32"}, {33, "/dev/rfcomm0"}, {34, "/dev/ttyUSB0"}},
         {{33, "/dev/pts/1"}},
         {{33, "/dev/pts/1"}, {34, "/dev/ttyUSB0"}}},
        {{{33, "/dev/ttyS32"}, {33, "/dev/rfcomm0"}}, {}, {{33, "/dev/ttyS32"}, {33, "/dev/rfcomm0"}}},
        {{}, {{7, "/dev/a"}, {2, "/dev/b"}, {7, "/dev/c"}}, {{2, "/dev/b"}, {7, "/dev/c"}}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(mergePortMap(c.system, c.explicitPorts), c.merged);
}
