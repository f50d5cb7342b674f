#pragma once
// The serial ports the system knows, as "COM<n>" entries, and the device that
// opening a port number uses.

#include <QString>

#include <cstdint>
#include <vector>

struct PortEntry {
    int32_t number;
    QString name; // "COM<n>"
    QString device;
    QString description;
};

// Replaces ports with the system's ports, sorted by number (equal numbers each
// keep their entry). False, with no ports, when the system's list cannot be read.
bool discoverPorts(std::vector<PortEntry> &ports);

// The device of the first listed port with this number; a port the system does
// not list gets the system's default device for that number.
QString deviceForPort(int32_t number);
