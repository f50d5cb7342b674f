// The Modbus device simulator, driven as a child process: through libmodbus as
// a client and through raw bytes on its pseudo-terminal.

#include "support/devsimprocess.h"

#include <gtest/gtest.h>
#include <modbus.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

const int ANSWER_TIMEOUT_MS = 2000;
const int SILENCE_MS = 300;

const char READ_TEN[] = "01 03 00 00 00 0A C5 CD";
const char READ_TEN_ANSWER[] =
    "01 03 14 00 00 00 01 00 02 00 03 00 04 00 05 00 06 00 07 00 08 00 09 CD 51";

std::string bytes(const std::string &hex)
{
    std::string out;
    for (size_t i = 0; i + 1 < hex.size();) {
        if (hex[i] == ' ') {
            ++i;
            continue;
        }
        out += static_cast<char>(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16));
        i += 2;
    }
    return out;
}

std::string hex(const std::string &data)
{
    std::string out;
    char pair[4];
    for (const char byte : data) {
        std::snprintf(pair, sizeof pair, out.empty() ? "%02X" : " %02X",
                      static_cast<unsigned>(static_cast<unsigned char>(byte)));
        out += pair;
    }
    return out;
}

// The device opened as a raw serial line, the way a terminal program opens it.
class RawLine {
public:
    explicit RawLine(const std::string &path)
        : m_fd(open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
        termios settings{};
        if (m_fd >= 0 && tcgetattr(m_fd, &settings) == 0) {
            cfmakeraw(&settings);
            tcsetattr(m_fd, TCSANOW, &settings);
        }
    }
    ~RawLine()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    RawLine(const RawLine &) = delete;
    RawLine &operator=(const RawLine &) = delete;

    bool isOpen() const { return m_fd >= 0; }

    bool send(const std::string &data) { return write(m_fd, data.data(), data.size()) == static_cast<ssize_t>(data.size()); }

    // Collects bytes until `count` have arrived or `timeoutMs` has passed.
    std::string receive(size_t count, int timeoutMs)
    {
        std::string data;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (data.size() < count) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd entry{m_fd, POLLIN, 0};
            if (left.count() <= 0 || poll(&entry, 1, static_cast<int>(left.count())) <= 0)
                break;
            char buffer[512];
            const ssize_t n = read(m_fd, buffer, sizeof buffer);
            if (n > 0)
                data.append(buffer, static_cast<size_t>(n));
        }
        return data;
    }

    std::string exchange(const std::string &requestHex, size_t answerBytes)
    {
        if (!send(bytes(requestHex)))
            return "send failed";
        return hex(receive(answerBytes, ANSWER_TIMEOUT_MS));
    }

    // Whatever arrives within SILENCE_MS, as hex; empty when the device stays silent.
    std::string silenceAfter(const std::string &requestHex)
    {
        if (!send(bytes(requestHex)))
            return "send failed";
        return hex(receive(1, SILENCE_MS));
    }

private:
    int m_fd;
};

// A libmodbus client (master) on the simulator's device.
class ModbusClient {
public:
    ModbusClient(const std::string &path, int slave)
        : m_context(modbus_new_rtu(path.c_str(), 9600, 'N', 8, 1))
    {
        if (m_context != nullptr && modbus_set_slave(m_context, slave) == 0
            && modbus_set_response_timeout(m_context, 2, 0) == 0 && modbus_connect(m_context) == 0)
            m_connected = true;
    }
    ~ModbusClient()
    {
        if (m_connected)
            modbus_close(m_context);
        if (m_context != nullptr)
            modbus_free(m_context);
    }
    ModbusClient(const ModbusClient &) = delete;
    ModbusClient &operator=(const ModbusClient &) = delete;

    bool connected() const { return m_connected; }
    modbus_t *context() { return m_context; }

    std::vector<uint16_t> holding(int address, int count) { return read(modbus_read_registers, address, count); }
    std::vector<uint16_t> input(int address, int count) { return read(modbus_read_input_registers, address, count); }

private:
    using ReadFunction = int (*)(modbus_t *, int, int, uint16_t *);
    std::vector<uint16_t> read(ReadFunction function, int address, int count)
    {
        std::vector<uint16_t> values(static_cast<size_t>(count));
        if (function(m_context, address, count, values.data()) != count) {
            ADD_FAILURE() << "read of " << count << " registers at " << address
                          << " failed: " << modbus_strerror(errno);
            values.clear();
        }
        return values;
    }

    modbus_t *m_context;
    bool m_connected = false;
};

std::vector<uint16_t> sequence(uint16_t first, int count)
{
    std::vector<uint16_t> values;
    for (int i = 0; i < count; ++i)
        values.push_back(static_cast<uint16_t>(first + i));
    return values;
}

std::string makeTempDir()
{
    const char *base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/devsim-XXXXXX";
    return mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
}

std::string linkTarget(const std::string &path)
{
    char target[PATH_MAX];
    const ssize_t length = readlink(path.c_str(), target, sizeof target);
    return length > 0 ? std::string(target, static_cast<size_t>(length)) : std::string();
}

bool exists(const std::string &path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

} // namespace

TEST(DevsimTest, LibmodbusClientReadsTheDocumentedData)
{
    DevsimProcess devsim;
    ASSERT_TRUE(devsim.started());
    ModbusClient client(devsim.devicePath(), 1);
    ASSERT_TRUE(client.connected()) << modbus_strerror(errno);

    EXPECT_EQ(client.holding(0x0000, 10), sequence(0, 10));
    EXPECT_EQ(client.holding(0x10F0, 16), sequence(0x10F0, 16));
    EXPECT_EQ(client.input(0x0000, 10), sequence(0x8000, 10));
    EXPECT_EQ(client.input(0x0FFE, 2), sequence(0x8FFE, 2));

    uint8_t coils[8] = {};
    ASSERT_EQ(modbus_read_bits(client.context(), 0, 8, coils), 8);
    EXPECT_EQ(std::vector<uint8_t>(coils, coils + 8), (std::vector<uint8_t>{0, 1, 0, 1, 0, 1, 0, 1}));
    uint8_t inputs[7] = {};
    ASSERT_EQ(modbus_read_input_bits(client.context(), 0, 7, inputs), 7);
    EXPECT_EQ(std::vector<uint8_t>(inputs, inputs + 7), (std::vector<uint8_t>{1, 0, 0, 1, 0, 0, 1}));

    // Live values: seconds since start and a measurement between 20.0 and 30.0.
    for (const std::vector<uint16_t> &live : {client.holding(0x1000, 2), client.input(0x1000, 2)}) {
        ASSERT_EQ(live.size(), 2u);
        EXPECT_LT(live[0], 60);
        EXPECT_GE(live[1], 200);
        EXPECT_LE(live[1], 300);
    }
}

TEST(DevsimTest, LibmodbusClientWritesAndReadsBack)
{
    DevsimProcess devsim;
    ASSERT_TRUE(devsim.started());
    ModbusClient client(devsim.devicePath(), 1);
    ASSERT_TRUE(client.connected()) << modbus_strerror(errno);

    ASSERT_EQ(modbus_write_register(client.context(), 0x0005, 0x1234), 1) << modbus_strerror(errno);
    EXPECT_EQ(client.holding(0x0004, 3), (std::vector<uint16_t>{0x0004, 0x1234, 0x0006}));

    const uint16_t values[] = {0xAAAA, 0xBBBB, 0xCCCC};
    ASSERT_EQ(modbus_write_registers(client.context(), 0x0100, 3, values), 3) << modbus_strerror(errno);
    EXPECT_EQ(client.holding(0x00FF, 5), (std::vector<uint16_t>{0x00FF, 0xAAAA, 0xBBBB, 0xCCCC, 0x0103}));
}

TEST(DevsimTest, AnswersRawRequests)
{
    struct Case {
        const char *what;
        const char *request;
        const char *answer;
    };
    const Case cases[] = {
        {"03 read ten", READ_TEN, READ_TEN_ANSWER},
        {"04 read two", "01 04 00 00 00 02 71 CB", "01 04 04 80 00 80 01 72 44"},
        {"06 write one", "01 06 00 05 12 34 94 BC", "01 06 00 05 12 34 94 BC"},
        {"06 written value", "01 03 00 05 00 01 94 0B", "01 03 02 12 34 B5 33"},
        {"16 write two", "01 10 00 20 00 02 04 AB CD 12 34 4D 1B", "01 10 00 20 00 02 40 02"},
        {"16 written values", "01 03 00 20 00 02 C5 C1", "01 03 04 AB CD 12 34 46 9F"},
        {"address outside the map", "01 03 11 00 00 01 81 36", "01 83 02 C0 F1"},
    };
    DevsimProcess devsim;
    ASSERT_TRUE(devsim.started());
    RawLine line(devsim.devicePath());
    ASSERT_TRUE(line.isOpen());
    for (const Case &c : cases) {
        const std::string expected = c.answer;
        EXPECT_EQ(line.exchange(c.request, bytes(expected).size()), expected) << c.what;
    }
}

TEST(DevsimTest, RejectedRequestsGetNoAnswerAndTheNextIsServed)
{
    struct Case {
        const char *what;
        std::vector<std::string> options;
        const char *request;
    };
    const Case cases[] = {
        {"wrong CRC", {}, "01 03 00 00 00 0A C5 CE"},
        {"another address", {}, "02 03 00 00 00 0A C5 FE"},
        {"CRC high byte first", {}, "01 03 00 00 00 0A CD C5"},
        {"text", {}, "41 42"},
        {"broadcast", {}, "00 03 00 00 00 0A C4 1C"},
        {"wrong CRC, swapped order accepted", {"--accept-swapped-crc"}, "01 03 00 00 00 0A CE C5"},
        {"another address, swapped order accepted", {"--accept-swapped-crc"}, "02 03 00 00 00 0A FE C5"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        DevsimProcess devsim(c.options);
        ASSERT_TRUE(devsim.started());
        RawLine line(devsim.devicePath());
        ASSERT_TRUE(line.isOpen());
        EXPECT_EQ(line.silenceAfter(c.request), "");
        EXPECT_EQ(line.exchange(READ_TEN, bytes(READ_TEN_ANSWER).size()), READ_TEN_ANSWER);
    }
}

TEST(DevsimTest, SwappedCrcIsAcceptedOnlyWhenAskedAndAnsweredInStandardOrder)
{
    DevsimProcess devsim({"--accept-swapped-crc"});
    ASSERT_TRUE(devsim.started());
    RawLine line(devsim.devicePath());
    ASSERT_TRUE(line.isOpen());

    EXPECT_EQ(line.exchange("01 03 00 00 00 0A CD C5", bytes(READ_TEN_ANSWER).size()), READ_TEN_ANSWER);
    EXPECT_EQ(line.exchange(READ_TEN, bytes(READ_TEN_ANSWER).size()), READ_TEN_ANSWER);
    EXPECT_EQ(line.exchange("01 06 00 05 12 34 BC 94", 8), "01 06 00 05 12 34 94 BC");
    EXPECT_EQ(line.exchange("01 03 00 05 00 01 94 0B", 7), "01 03 02 12 34 B5 33");
}

TEST(DevsimTest, SlaveOptionSetsTheAddress)
{
    DevsimProcess devsim({"--slave", "17"});
    ASSERT_TRUE(devsim.started());
    RawLine line(devsim.devicePath());
    ASSERT_TRUE(line.isOpen());

    EXPECT_EQ(line.silenceAfter(READ_TEN), "");
    const std::string answer = "11 03 14 00 00 00 01 00 02 00 03 00 04 00 05 00 06 00 07 00 08 00 09 00 5D";
    EXPECT_EQ(line.exchange("11 03 00 00 00 0A C7 5D", bytes(answer).size()), answer);
}

TEST(DevsimTest, StopSignalExitsCleanlyAndRemovesTheLink)
{
    const std::string dir = makeTempDir();
    ASSERT_FALSE(dir.empty());
    const std::string link = dir + "/com200";
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        DevsimProcess devsim({"--link", link});
        ASSERT_TRUE(devsim.started());
        EXPECT_EQ(linkTarget(link), devsim.devicePath());
        {
            ModbusClient client(link, 1);
            ASSERT_TRUE(client.connected()) << modbus_strerror(errno);
            EXPECT_EQ(client.holding(0x0000, 2), sequence(0, 2));
        }
        EXPECT_EQ(devsim.stop(signal), 0);
        EXPECT_FALSE(exists(link));
    }
    rmdir(dir.c_str());
}

TEST(DevsimTest, ExistingLinkPathIsLeftAlone)
{
    const std::string dir = makeTempDir();
    ASSERT_FALSE(dir.empty());
    const std::string path = dir + "/taken";
    std::ofstream(path) << "keep";

    DevsimProcess devsim({"--link", path});
    EXPECT_FALSE(devsim.started());
    EXPECT_EQ(devsim.waitForExit(), 1);
    std::string content;
    std::ifstream(path) >> content;
    EXPECT_EQ(content, "keep");

    unlink(path.c_str());
    rmdir(dir.c_str());
}

TEST(DevsimTest, InvalidOptionsAreRejected)
{
    const std::vector<std::vector<std::string>> cases = {
        {"--slave", "0"}, {"--slave", "248"}, {"--slave", "1x"}, {"--slave"},
        {"--link"},       {"--link="},        {"--verbose=1"},   {"--bogus"},
    };
    for (const std::vector<std::string> &options : cases) {
        SCOPED_TRACE(options.back());
        DevsimProcess devsim(options);
        EXPECT_FALSE(devsim.started());
        EXPECT_EQ(devsim.waitForExit(), 2);
    }
}
