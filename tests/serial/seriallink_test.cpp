#include "serial/seriallink.h"
#include "support/ptypair.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/ioctl.h>

#include <climits>
#include <cstdlib>
#include <thread>

namespace {

const int32_t TEST_PORT = 7;
const int WAIT_MS = 20000;
const int BULK_WAIT_MS = 120000;

QByteArray pattern(qsizetype size)
{
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 31 + i / 251) & 0xFF);
    return bytes;
}

void mapPorts(const QString &map)
{
    setenv("TAVLO_PORTS", map.toLocal8Bit().constData(), 1);
}

int inputQueued(int fd)
{
    int count = 0;
    ::ioctl(fd, TIOCINQ, &count);
    return count;
}

// Whether this kernel keeps a character format other than 8N on a pty; Linux
// forces CS8 and no parity there, whatever the port asks for.
bool ptyKeepsCharacterFormat()
{
    PtyPair scratch;
    termios t = {};
    ::tcgetattr(scratch.slave(), &t);
    t.c_cflag = (t.c_cflag & ~CSIZE) | CS7 | PARENB;
    ::tcsetattr(scratch.slave(), TCSANOW, &t);
    ::tcgetattr(scratch.slave(), &t);
    return (t.c_cflag & CSIZE) == CS7 && (t.c_cflag & PARENB);
}

class SerialLinkTest : public ::testing::Test
{
protected:
    SerialLinkTest()
    {
        mapPorts(QStringLiteral("COM%1=%2").arg(TEST_PORT).arg(pty.device()));
        link.setSettings(settingsFor(TEST_PORT));
        QObject::connect(&link, &SerialLink::bytesReceived, [this](const QByteArray &chunk) {
            received += chunk;
            ++chunks;
        });
        QObject::connect(&link, &SerialLink::deviceLost, [this] { ++lost; });
    }

    static SerialSettings settingsFor(int32_t port)
    {
        SerialSettings s;
        s.portNumber = port;
        s.baudRate = 9600;
        s.dataBits = 8;
        s.stopBitsCode = 1;
        s.parityCode = 0;
        return s;
    }

    termios slaveTermios() const
    {
        termios t = {};
        ::tcgetattr(pty.slave(), &t);
        return t;
    }

    PtyPair pty;
    SerialLink link;
    QByteArray received;
    int chunks = 0;
    int lost = 0;
};

} // namespace

TEST(SerialSettings, ClampedWhenSet)
{
    const struct {
        SerialSettings in;
        SerialSettings out;
    } cases[] = {
        {{0, -1, 8, 0, -1}, {1, 0, 8, 1, 0}},
        {{-3, 9600, 7, 4, 5}, {1, 9600, 7, 3, 4}},
        {{INT_MIN, INT_MIN, 6, INT_MIN, INT_MAX}, {1, 0, 6, 1, 4}},
        {{12, 115200, 0, 2, 2}, {12, 115200, 0, 2, 2}},
    };
    for (const auto &c : cases) {
        SerialLink link;
        link.setSettings(c.in);
        const SerialSettings s = link.settings();
        EXPECT_EQ(s.portNumber, c.out.portNumber);
        EXPECT_EQ(s.baudRate, c.out.baudRate);
        EXPECT_EQ(s.dataBits, c.out.dataBits);
        EXPECT_EQ(s.stopBitsCode, c.out.stopBitsCode);
        EXPECT_EQ(s.parityCode, c.out.parityCode);
    }
}

TEST_F(SerialLinkTest, OpenAppliesTheLineSettings)
{
    link.setSettings({TEST_PORT, 115200, 7, 2, 2});
    ASSERT_TRUE(link.open());
    EXPECT_TRUE(link.isOpen());

    const termios t = slaveTermios();
    EXPECT_EQ(cfgetispeed(&t), static_cast<speed_t>(B115200));
    EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B115200));
    EXPECT_TRUE(t.c_cflag & CSTOPB) << "termios has no 1.5 stop bits; two stand in";
    if (ptyKeepsCharacterFormat()) {
        EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS7));
        EXPECT_TRUE(t.c_cflag & PARENB);
        EXPECT_FALSE(t.c_cflag & PARODD);
    }
    // Binary, no flow control of any kind, parity errors not checked.
    EXPECT_FALSE(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN));
    EXPECT_FALSE(t.c_oflag & OPOST);
    EXPECT_FALSE(t.c_iflag & (IXON | IXOFF | INPCK | ICRNL | INLCR | IGNCR | ISTRIP | PARMRK));
    EXPECT_FALSE(t.c_cflag & CRTSCTS);
    EXPECT_TRUE(t.c_cflag & CREAD);
    EXPECT_TRUE(t.c_cflag & CLOCAL);

    const QSerialPort &port = link.port();
    EXPECT_EQ(port.baudRate(), 115200);
    EXPECT_EQ(port.dataBits(), QSerialPort::Data7);
    EXPECT_EQ(port.stopBits(), QSerialPort::TwoStop);
    EXPECT_EQ(port.parity(), QSerialPort::EvenParity);
    EXPECT_EQ(port.flowControl(), QSerialPort::NoFlowControl);
}

TEST_F(SerialLinkTest, CodesMapToTheirLineSettings)
{
    const struct {
        int32_t stopBitsCode;
        int32_t parityCode;
        QSerialPort::StopBits stopBits;
        QSerialPort::Parity parity;
    } cases[] = {
        {1, 0, QSerialPort::OneStop, QSerialPort::NoParity},
        {3, 1, QSerialPort::TwoStop, QSerialPort::OddParity},
        {2, 2, QSerialPort::TwoStop, QSerialPort::EvenParity},
        {1, 3, QSerialPort::OneStop, QSerialPort::MarkParity},
        {3, 4, QSerialPort::TwoStop, QSerialPort::SpaceParity},
        {9, -2, QSerialPort::TwoStop, QSerialPort::NoParity},   // clamped to 3 and 0
        {-1, 17, QSerialPort::OneStop, QSerialPort::SpaceParity}, // clamped to 1 and 4
    };
    for (const auto &c : cases) {
        link.setSettings({TEST_PORT, 57600, 8, c.stopBitsCode, c.parityCode});
        ASSERT_TRUE(link.open()) << c.stopBitsCode << " " << c.parityCode;
        EXPECT_EQ(link.port().stopBits(), c.stopBits) << c.stopBitsCode;
        EXPECT_EQ(link.port().parity(), c.parity) << c.parityCode;
        const termios t = slaveTermios();
        EXPECT_EQ((t.c_cflag & CSTOPB) != 0, c.stopBits == QSerialPort::TwoStop) << c.stopBitsCode;
        EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B57600));
        link.close();
    }
}

TEST_F(SerialLinkTest, OpenFailsOnMissingDevicesAndRefusedSettings)
{
    mapPorts(QStringLiteral("COM%1=/dev/tavlo-no-such-device").arg(TEST_PORT));
    EXPECT_FALSE(link.open());
    EXPECT_FALSE(link.isOpen());

    mapPorts(QStringLiteral("COM%1=%2").arg(TEST_PORT).arg(pty.device()));
    const struct {
        int32_t baudRate;
        int32_t dataBits;
    } refused[] = {{0, 8}, {-9600, 8}, {9600, 0}, {9600, 4}, {9600, 9}};
    for (const auto &r : refused) {
        link.setSettings({TEST_PORT, r.baudRate, r.dataBits, 1, 0});
        EXPECT_FALSE(link.open()) << r.baudRate << " " << r.dataBits;
        EXPECT_FALSE(link.isOpen());
    }
    link.setSettings({TEST_PORT, 9600, 5, 1, 0});
    EXPECT_TRUE(link.open());
}

TEST_F(SerialLinkTest, PortNumberBelowOneOpensComOne)
{
    mapPorts(QStringLiteral("COM1=%1").arg(pty.device()));
    link.setSettings({0, 9600, 8, 1, 0});
    ASSERT_TRUE(link.open());
    EXPECT_TRUE(link.sendBytes("1"));
    EXPECT_EQ(pty.readMaster(1, WAIT_MS), QByteArray("1"));
}

TEST_F(SerialLinkTest, OpenWhileOpenClosesFirstAndAPortInUseIsRefused)
{
    PtyPair other;
    mapPorts(QStringLiteral("COM%1=%2;COM8=%3").arg(TEST_PORT).arg(pty.device()).arg(other.device()));
    ASSERT_TRUE(link.open());
    ASSERT_TRUE(link.open()) << "a second open of the same device must close it first";

    SerialLink rival;
    rival.setSettings(settingsFor(TEST_PORT));
    EXPECT_FALSE(rival.open()) << "the device is in use";

    link.setSettings(settingsFor(8));
    ASSERT_TRUE(link.open());
    EXPECT_TRUE(link.sendBytes("8"));
    EXPECT_EQ(other.readMaster(1, WAIT_MS), QByteArray("8"));
    EXPECT_TRUE(rival.open()) << "the first device was released when the link reopened";

    link.close();
    EXPECT_FALSE(link.isOpen());
}

TEST_F(SerialLinkTest, ReceivedBytesArriveInOrderAcrossChunks)
{
    ASSERT_TRUE(link.open());
    const QByteArray sent = pattern(100000);
    std::thread writer([this, &sent] { pty.writeMaster(sent); });
    const bool all = QTest::qWaitFor([this, &sent] { return received.size() >= sent.size(); }, BULK_WAIT_MS);
    writer.join();
    ASSERT_TRUE(all) << received.size() << " of " << sent.size();
    EXPECT_GT(chunks, 1);
    ASSERT_EQ(received.size(), sent.size());
    for (qsizetype i = 0; i < sent.size(); ++i)
        ASSERT_EQ(received[i], sent[i]) << "byte " << i;
}

TEST_F(SerialLinkTest, SendDiscardsUnreadInputAndWritesEveryByte)
{
    ASSERT_TRUE(link.open());
    // Input waiting in the driver, not yet read by the link.
    ASSERT_TRUE(pty.writeMaster("stale"));
    for (int i = 0; i < WAIT_MS && inputQueued(pty.slave()) < 5; ++i)
        QTest::qSleep(1);
    ASSERT_EQ(inputQueued(pty.slave()), 5);

    EXPECT_TRUE(link.sendBytes("fresh"));
    EXPECT_EQ(pty.readMaster(5, WAIT_MS), QByteArray("fresh"));

    ASSERT_TRUE(pty.writeMaster("after"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return received.size() >= 5; }, WAIT_MS));
    QTest::qWait(100);
    EXPECT_EQ(received, QByteArray("after"));
}

TEST_F(SerialLinkTest, SendBlocksUntilAllBytesAreWritten)
{
    ASSERT_TRUE(link.open());
    const QByteArray frame = pattern(20000);
    QByteArray echoed;
    std::thread reader([this, &echoed, &frame] { echoed = pty.readMaster(frame.size(), WAIT_MS); });
    const bool sent = link.sendBytes(frame);
    reader.join();
    EXPECT_TRUE(sent);
    EXPECT_EQ(echoed, frame);

    // Text goes out as its bytes, zero and high bytes included, without terminator.
    EXPECT_TRUE(link.sendText(std::string("A\0\xFF\xB0\xA1", 5)));
    EXPECT_EQ(pty.readMaster(5, WAIT_MS), QByteArray("A\0\xFF\xB0\xA1", 5));
}

TEST_F(SerialLinkTest, BytesArrivingDuringASendAreDeliveredAfterIt)
{
    ASSERT_TRUE(link.open());
    // Large enough to fill the pty's buffers, so the send waits for the reader.
    const QByteArray frame = pattern(400000);
    QByteArray echoed;
    std::thread peer([this, &echoed, &frame] {
        echoed = pty.readMaster(1, WAIT_MS); // the send has started: its discard is done
        pty.writeMaster("ping");
        QTest::qSleep(300);
        echoed += pty.readMaster(frame.size() - echoed.size(), WAIT_MS);
    });
    const bool sent = link.sendBytes(frame);
    peer.join();
    EXPECT_TRUE(sent);
    EXPECT_EQ(echoed, frame);
    EXPECT_TRUE(received.isEmpty()) << "no delivery from inside the send";
    EXPECT_TRUE(QTest::qWaitFor([this] { return received.size() >= 4; }, WAIT_MS));
    EXPECT_EQ(received, QByteArray("ping"));
}

TEST_F(SerialLinkTest, EmptyAndClosedSends)
{
    EXPECT_FALSE(link.sendBytes("x"));
    EXPECT_FALSE(link.sendText("x"));

    ASSERT_TRUE(link.open());
    EXPECT_TRUE(link.sendBytes(QByteArray()));
    EXPECT_TRUE(link.sendText(std::string()));
    EXPECT_TRUE(link.sendBytes("Z"));
    EXPECT_EQ(pty.readMaster(1, WAIT_MS), QByteArray("Z")) << "the empty sends wrote nothing";

    link.close();
    EXPECT_FALSE(link.sendBytes("x"));
}

TEST_F(SerialLinkTest, PulledDeviceClosesTheLinkOnce)
{
    ASSERT_TRUE(link.open());
    ASSERT_TRUE(pty.writeMaster("before"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return received.size() >= 6; }, WAIT_MS));

    pty.closeMaster();
    EXPECT_FALSE(link.sendBytes("x")) << "nobody on the other side";
    ASSERT_TRUE(QTest::qWaitFor([this] { return lost > 0; }, WAIT_MS));
    EXPECT_FALSE(link.isOpen());
    QTest::qWait(300);
    EXPECT_EQ(lost, 1);
    EXPECT_EQ(received, QByteArray("before"));
    EXPECT_FALSE(link.sendBytes("x"));
    EXPECT_FALSE(link.open()) << "the device is gone";
}

TEST_F(SerialLinkTest, PulledDeviceWhileIdleIsNoticedWithoutASend)
{
    ASSERT_TRUE(link.open());
    pty.closeMaster();
    ASSERT_TRUE(QTest::qWaitFor([this] { return lost > 0; }, WAIT_MS));
    EXPECT_FALSE(link.isOpen());
    QTest::qWait(300);
    EXPECT_EQ(lost, 1);
    EXPECT_TRUE(received.isEmpty());
}

TEST_F(SerialLinkTest, ALossNoticedBeforeAReopenDoesNotCloseTheNewPort)
{
    PtyPair other;
    mapPorts(QStringLiteral("COM%1=%2;COM8=%3").arg(TEST_PORT).arg(pty.device()).arg(other.device()));
    ASSERT_TRUE(link.open());
    pty.closeMaster();
    // Give the port a chance to notice without letting the queued loss run.
    EXPECT_FALSE(link.sendBytes("x"));
    link.setSettings(settingsFor(8));
    ASSERT_TRUE(link.open());
    QTest::qWait(300);
    EXPECT_TRUE(link.isOpen());
    EXPECT_EQ(lost, 0);
    EXPECT_TRUE(link.sendBytes("ok"));
    EXPECT_EQ(other.readMaster(2, WAIT_MS), QByteArray("ok"));
}
