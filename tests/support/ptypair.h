#pragma once
// Test helper: a pseudo-terminal whose slave side stands in for a serial device.
// The test writes and reads the master side, raw.

#include <QByteArray>
#include <QString>

#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

class PtyPair
{
public:
    PtyPair()
    {
        char name[128] = {};
        if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0)
            throw std::runtime_error("openpty failed");
        termios raw = {};
        ::tcgetattr(m_master, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(m_master, TCSANOW, &raw);
        m_device = QString::fromLocal8Bit(name);
    }
    ~PtyPair()
    {
        closeMaster();
        ::close(m_slave);
    }
    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    QString device() const { return m_device; }
    int master() const { return m_master; }
    // The test's own descriptor of the slave side: same terminal as the port's.
    int slave() const { return m_slave; }

    // The far side goes away: the slave side is hung up.
    void closeMaster()
    {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

    bool writeMaster(const QByteArray &bytes) const
    {
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(m_master, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            done += n;
        }
        return true;
    }

    // Reads what the port sent until count bytes arrived or nothing came for timeoutMs.
    QByteArray readMaster(qsizetype count, int timeoutMs) const
    {
        QByteArray out;
        char buffer[4096];
        while (out.size() < count) {
            pollfd p = {m_master, POLLIN, 0};
            if (::poll(&p, 1, timeoutMs) <= 0)
                break;
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            out.append(buffer, n);
        }
        return out;
    }

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_device;
};
