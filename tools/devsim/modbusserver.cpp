#include "modbusserver.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Silence that ends a request; Modbus RTU asks for 3.5 characters (4 ms at 9600 baud).
const int FRAME_GAP_MS = 10;
// A longer burst is served in pieces; the longest Modbus RTU frame has 256 bytes.
const size_t REQUEST_MAX_BYTES = 4096;
// libmodbus waits this long for bytes missing from a short request; the whole
// request is already in the socket, so any wait is for bytes that never come.
const uint32_t BYTE_TIMEOUT_US = 20000;
// libmodbus sleeps this long before some exception answers; a device answers at once.
const uint32_t RESPONSE_TIMEOUT_US = 1000;
// How long an answer may wait for room on the device before it is dropped.
const int WRITE_TIMEOUT_MS = 1000;
const size_t CRC_BYTES = 2;
const size_t MIN_REQUEST_BYTES = 4;
const int BAUD_RATE = 9600;
const int DATA_BITS = 8;
const int STOP_BITS = 1;

uint16_t crc16Modbus(const std::string &bytes, size_t length)
{
    uint16_t crc = 0xFFFF;
    for (size_t i = 0; i < length; ++i) {
        crc ^= static_cast<uint8_t>(bytes[i]);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1u) ? static_cast<uint16_t>((crc >> 1) ^ 0xA001u) : static_cast<uint16_t>(crc >> 1);
    }
    return crc;
}

// A request whose CRC-16 is stored high byte first gets its two CRC bytes put
// into the standard order (low byte first). Returns whether it did so.
bool reorderSwappedCrc(std::string &request)
{
    if (request.size() < MIN_REQUEST_BYTES)
        return false;
    const size_t crcAt = request.size() - CRC_BYTES;
    const uint16_t crc = crc16Modbus(request, crcAt);
    const auto high = static_cast<char>(crc >> 8);
    const auto low = static_cast<char>(crc & 0xFF);
    if (high == low || request[crcAt] != high || request[crcAt + 1] != low)
        return false;
    request[crcAt] = low;
    request[crcAt + 1] = high;
    return true;
}

bool hasInput(int fd, int timeoutMs)
{
    pollfd entry{fd, POLLIN, 0};
    return poll(&entry, 1, timeoutMs) > 0 && (entry.revents & POLLIN) != 0;
}

// Writes all bytes to a non-blocking descriptor, waiting for room at most WRITE_TIMEOUT_MS at a time.
bool writeAll(int fd, const std::string &bytes)
{
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n > 0) {
            written += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            return false;
        pollfd entry{fd, POLLOUT, 0};
        if (poll(&entry, 1, WRITE_TIMEOUT_MS) <= 0)
            return false;
    }
    return true;
}

} // namespace

ModbusServer::ModbusServer(const Options &options, int deviceFd, const std::string &deviceName)
    : m_options(options)
    , m_device(deviceFd)
    , m_deviceName(deviceName)
{
}

ModbusServer::~ModbusServer()
{
    // The context never opened a device (no modbus_connect), so modbus_close is not called.
    if (m_context != nullptr)
        modbus_free(m_context);
    if (m_libmodbusEnd >= 0)
        close(m_libmodbusEnd);
    if (m_relayEnd >= 0)
        close(m_relayEnd);
}

bool ModbusServer::start(std::string &error)
{
    if (!m_registers.valid()) {
        error = "cannot allocate the register map";
        return false;
    }
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        error = std::string("socketpair: ") + std::strerror(errno);
        return false;
    }
    m_libmodbusEnd = ends[0];
    m_relayEnd = ends[1];
    return resetContext(error);
}

// After a request for another address, libmodbus's RTU backend ignores the next
// message as that device's answer. On this point-to-point line no such answer
// comes, so the context starts afresh instead of swallowing our next request.
bool ModbusServer::resetContext(std::string &error)
{
    if (m_context != nullptr)
        modbus_free(m_context);
    // The device name only labels the context: it never opens a device, it uses our socket.
    m_context = modbus_new_rtu(m_deviceName.c_str(), BAUD_RATE, 'N', DATA_BITS, STOP_BITS);
    if (m_context == nullptr || modbus_set_slave(m_context, m_options.slave) != 0
        || modbus_set_socket(m_context, m_libmodbusEnd) != 0
        || modbus_set_byte_timeout(m_context, 0, BYTE_TIMEOUT_US) != 0
        || modbus_set_response_timeout(m_context, 0, RESPONSE_TIMEOUT_US) != 0) {
        error = std::string("libmodbus: ") + modbus_strerror(errno);
        return false;
    }
    return true;
}

int ModbusServer::run(int stopFd)
{
    for (;;) {
        enum { DEVICE_ENTRY, STOP_ENTRY, ENTRY_COUNT };
        pollfd entries[ENTRY_COUNT] = {{m_device, POLLIN, 0}, {stopFd, POLLIN, 0}};
        if (poll(entries, ENTRY_COUNT, -1) < 0) {
            if (errno == EINTR)
                continue;
            std::perror("tavlo-devsim: poll");
            return 1;
        }
        if (entries[STOP_ENTRY].revents != 0)
            return 0;
        if (entries[DEVICE_ENTRY].revents & (POLLERR | POLLNVAL)) {
            std::fprintf(stderr, "tavlo-devsim: the device failed\n");
            return 1;
        }
        std::string request;
        if (!readRequest(request)) {
            std::perror("tavlo-devsim: read");
            return 1;
        }
        if (!request.empty())
            serveRequest(request);
    }
}

bool ModbusServer::readRequest(std::string &request)
{
    char buffer[512];
    while (request.size() < REQUEST_MAX_BYTES) {
        const ssize_t n = read(m_device, buffer, sizeof buffer);
        if (n > 0) {
            request.append(buffer, static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            return false;
        if (!hasInput(m_device, FRAME_GAP_MS))
            break;
    }
    return true;
}

void ModbusServer::serveRequest(std::string request)
{
    log("<-", request);
    if (m_options.acceptSwappedCrc && reorderSwappedCrc(request))
        note("CRC high byte first, reordered");
    if (!writeAll(m_relayEnd, request)) {
        note(std::string("relay failed: ") + std::strerror(errno));
        return;
    }
    // One burst may hold several requests, or bytes libmodbus reads as several.
    while (hasInput(m_libmodbusEnd, 0)) {
        const std::chrono::duration<double> uptime = std::chrono::steady_clock::now() - m_startTime;
        m_registers.refreshLiveValues(uptime.count());

        uint8_t indication[MODBUS_RTU_MAX_ADU_LENGTH];
        const int length = modbus_receive(m_context, indication);
        if (length > 0) {
            if (modbus_reply(m_context, indication, length, m_registers.mapping()) < 0)
                note(std::string("no answer: ") + modbus_strerror(errno));
            forwardAnswer();
        } else if (length == 0) {
            note("no answer: request for another address");
            std::string error;
            if (!resetContext(error))
                note(error);
        } else {
            note(errno == ETIMEDOUT ? std::string("no answer: incomplete request")
                                    : std::string("no answer: ") + modbus_strerror(errno));
        }
    }
}

void ModbusServer::forwardAnswer()
{
    std::string answer;
    char buffer[512];
    while (hasInput(m_relayEnd, 0)) {
        const ssize_t n = read(m_relayEnd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        answer.append(buffer, static_cast<size_t>(n));
    }
    if (answer.empty()) {
        note("no answer: broadcast");
        return;
    }
    log("->", answer);
    if (!writeAll(m_device, answer))
        note("answer dropped: nobody reads the device");
}

void ModbusServer::log(const char *prefix, const std::string &bytes) const
{
    if (!m_options.verbose)
        return;
    std::string line = prefix;
    char pair[4];
    for (const char byte : bytes) {
        std::snprintf(pair, sizeof pair, " %02X", static_cast<unsigned>(static_cast<uint8_t>(byte)));
        line += pair;
    }
    std::fprintf(stderr, "%s\n", line.c_str());
}

void ModbusServer::note(const std::string &text) const
{
    if (m_options.verbose)
        std::fprintf(stderr, "   %s\n", text.c_str());
}
