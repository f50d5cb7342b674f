#include "pseudoterminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <limits.h>
#include <termios.h>
#include <unistd.h>

namespace {

std::string systemError(const std::string &what)
{
    return what + ": " + std::strerror(errno);
}

} // namespace

PseudoTerminal::~PseudoTerminal()
{
    if (!m_linkPath.empty()) {
        // Remove the link only while it still names our device.
        char target[PATH_MAX];
        const ssize_t length = readlink(m_linkPath.c_str(), target, sizeof target);
        if (length > 0 && m_devicePath.compare(0, std::string::npos, target, static_cast<size_t>(length)) == 0)
            unlink(m_linkPath.c_str());
    }
    if (m_slave >= 0)
        close(m_slave);
    if (m_master >= 0)
        close(m_master);
}

bool PseudoTerminal::open(std::string &error)
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0) {
        error = systemError("posix_openpt");
        return false;
    }
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        error = systemError("grantpt/unlockpt");
        return false;
    }
    const char *name = ptsname(m_master);
    if (name == nullptr) {
        error = systemError("ptsname");
        return false;
    }
    m_devicePath = name;

    m_slave = ::open(m_devicePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0) {
        error = systemError("open " + m_devicePath);
        return false;
    }
    termios settings{};
    if (tcgetattr(m_slave, &settings) != 0) {
        error = systemError("tcgetattr");
        return false;
    }
    cfmakeraw(&settings);
    cfsetispeed(&settings, B9600);
    cfsetospeed(&settings, B9600);
    if (tcsetattr(m_slave, TCSANOW, &settings) != 0) {
        error = systemError("tcsetattr");
        return false;
    }

    const int flags = fcntl(m_master, F_GETFL);
    if (flags < 0 || fcntl(m_master, F_SETFL, flags | O_NONBLOCK) != 0
        || fcntl(m_master, F_SETFD, FD_CLOEXEC) != 0) {
        error = systemError("fcntl");
        return false;
    }
    return true;
}

bool PseudoTerminal::linkAt(const std::string &path, std::string &error)
{
    if (symlink(m_devicePath.c_str(), path.c_str()) != 0) {
        error = systemError("cannot create the link " + path);
        return false;
    }
    m_linkPath = path;
    return true;
}
