#pragma once

#include <string>

// A pseudo-terminal pair in raw mode. Other programs open devicePath() (the
// slave side) as a serial port; the simulator reads and writes the master side.
class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    bool open(std::string &error);
    // Makes path a symbolic link to the device; the destructor removes it again.
    // An existing path is left alone and reported as an error.
    bool linkAt(const std::string &path, std::string &error);

    int masterFd() const { return m_master; }
    const std::string &devicePath() const { return m_devicePath; }

private:
    int m_master = -1;
    // Held open so the master never reads a hang-up while no program has the
    // device open, and so the raw settings stay in place between programs.
    int m_slave = -1;
    std::string m_devicePath;
    std::string m_linkPath;
};
