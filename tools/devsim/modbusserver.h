#pragma once

#include "options.h"
#include "registermap.h"

#include <modbus.h>

#include <chrono>
#include <string>

// Serves Modbus RTU requests arriving on a device file descriptor.
//
// libmodbus reads its requests from one end of a local socket pair that this
// class feeds: each request read from the device (bytes up to a silence of
// FRAME_GAP_MS) is written to the socket and handed to modbus_receive, which
// decides on address and CRC; modbus_reply's answer is read back from the
// socket and written to the device. The relay lets --accept-swapped-crc
// reorder a request's CRC before libmodbus sees it, and --verbose show every
// request, the rejected ones included.
class ModbusServer {
public:
    ModbusServer(const Options &options, int deviceFd, const std::string &deviceName);
    ~ModbusServer();
    ModbusServer(const ModbusServer &) = delete;
    ModbusServer &operator=(const ModbusServer &) = delete;

    bool start(std::string &error);
    // Serves until stopFd (a signalfd) becomes readable; returns the exit code.
    int run(int stopFd);

private:
    bool resetContext(std::string &error);
    bool readRequest(std::string &request);
    void serveRequest(std::string request);
    void forwardAnswer();
    void log(const char *prefix, const std::string &bytes) const;
    void note(const std::string &text) const;

    const Options m_options;
    const int m_device;
    const std::string m_deviceName;
    const std::chrono::steady_clock::time_point m_startTime = std::chrono::steady_clock::now();
    RegisterMap m_registers;
    modbus_t *m_context = nullptr;
    int m_libmodbusEnd = -1; // the socket libmodbus reads requests from and writes answers to
    int m_relayEnd = -1;     // the other end, ours
};
