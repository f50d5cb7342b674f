#pragma once
// What the operating system tells about serial ports: its list of ports, the
// device name for a port number, and whether an open device has gone away.
// One implementation per system (serialports_unix.cpp, serialports_win.cpp).

#include "serial/portdiscovery.h"

#include <QtGlobal>

#include <cstdint>
#include <vector>

namespace platform {

// Appends the system's serial ports, numbered and sorted by number; false when
// the system's list cannot be read.
bool listSerialPorts(std::vector<PortEntry> &ports);

// The device that opens port number n when no listed port has that number.
QString defaultSerialDevice(int32_t number);

// True when the driver has hung up the open serial handle: the adapter was
// removed or the pseudo-terminal's other side closed. Reads then return nothing
// at once, forever, so the handle must be closed.
bool serialHandleHungUp(qintptr handle);

// Whether the system's serial driver has a setting for 1.5 stop bits.
bool hasOneAndHalfStopBits();

} // namespace platform
