#include "serial/seriallink.h"

#include "platform/serialports.h"
#include "serial/portdiscovery.h"

#include <QDeadlineTimer>
#include <QMetaObject>

#include <algorithm>
#include <climits>

namespace {

const int32_t STOP_BITS_ONE = 1;
const int32_t STOP_BITS_ONE_AND_HALF = 2;
const int32_t STOP_BITS_TWO = 3;
const int32_t PARITY_NONE = 0;
const int32_t PARITY_ODD = 1;
const int32_t PARITY_EVEN = 2;
const int32_t PARITY_MARK = 3;
const int32_t PARITY_SPACE = 4;
const int32_t DATA_BITS_MIN = 5;
const int32_t DATA_BITS_MAX = 8;
const qint64 WRITE_TIMEOUT_BASE_MS = 1000;
const qint64 WRITE_TIMEOUT_PER_BYTE_MS = 1000;

QSerialPort::StopBits toStopBits(int32_t code)
{
    switch (code) {
    case STOP_BITS_ONE_AND_HALF:
        return platform::hasOneAndHalfStopBits() ? QSerialPort::OneAndHalfStop : QSerialPort::TwoStop;
    case STOP_BITS_TWO:
        return QSerialPort::TwoStop;
    default:
        return QSerialPort::OneStop;
    }
}

QSerialPort::Parity toParity(int32_t code)
{
    switch (code) {
    case PARITY_ODD:
        return QSerialPort::OddParity;
    case PARITY_EVEN:
        return QSerialPort::EvenParity;
    case PARITY_MARK:
        return QSerialPort::MarkParity;
    case PARITY_SPACE:
        return QSerialPort::SpaceParity;
    default:
        return QSerialPort::NoParity;
    }
}

int remainingMs(const QDeadlineTimer &deadline)
{
    return static_cast<int>(std::min<qint64>(deadline.remainingTime(), INT_MAX));
}

} // namespace

SerialLink::SerialLink(QObject *parent)
    : QObject(parent)
{
    connect(&m_port, &QSerialPort::readyRead, this, &SerialLink::onReadyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialLink::onErrorOccurred);
}

void SerialLink::setSettings(const SerialSettings &settings)
{
    m_settings = settings;
    m_settings.portNumber = std::max(settings.portNumber, 1);
    m_settings.baudRate = std::max(settings.baudRate, 0);
    m_settings.stopBitsCode = std::clamp(settings.stopBitsCode, STOP_BITS_ONE, STOP_BITS_TWO);
    m_settings.parityCode = std::clamp(settings.parityCode, PARITY_NONE, PARITY_SPACE);
}

SerialSettings SerialLink::settings() const
{
    return m_settings;
}

bool SerialLink::open()
{
    close();
    if (m_settings.dataBits < DATA_BITS_MIN || m_settings.dataBits > DATA_BITS_MAX)
        return false;

    // Set before opening, the port applies everything in one go at open; a
    // pseudo-terminal then keeps what it supports instead of refusing the open.
    m_port.setPortName(deviceForPort(m_settings.portNumber));
    m_port.setBaudRate(m_settings.baudRate);
    m_port.setDataBits(static_cast<QSerialPort::DataBits>(m_settings.dataBits));
    m_port.setStopBits(toStopBits(m_settings.stopBitsCode));
    m_port.setParity(toParity(m_settings.parityCode));
    m_port.setFlowControl(QSerialPort::NoFlowControl);

    // Errors raised while opening are answered by the result, not as a loss.
    m_opening = true;
    const bool opened = m_port.open(QIODevice::ReadWrite);
    if (opened)
        m_port.setRequestToSend(true); // fails on devices without modem lines (ptys); harmless
    m_opening = false;
    m_port.clearError();
    return opened;
}

void SerialLink::close()
{
    ++m_openGeneration;
    m_lossScheduled = false;
    if (m_port.isOpen())
        m_port.close();
}

bool SerialLink::isOpen() const
{
    return m_port.isOpen();
}

bool SerialLink::sendBytes(const QByteArray &bytes)
{
    if (!m_port.isOpen())
        return false;
    if (bytes.isEmpty())
        return true;

    m_sending = true;
    m_port.clear(QSerialPort::AllDirections);
    bool written = m_port.write(bytes) == bytes.size();
    const QDeadlineTimer deadline(WRITE_TIMEOUT_BASE_MS + WRITE_TIMEOUT_PER_BYTE_MS * bytes.size());
    while (written && m_port.isOpen() && m_port.bytesToWrite() > 0) {
        if (deadline.hasExpired()) {
            written = false;
            break;
        }
        m_port.clearError();
        if (m_port.waitForBytesWritten(remainingMs(deadline)))
            continue;
        // The wait also reads input; a wake-up that found nothing to read is
        // no write failure as long as the device is still there.
        written = m_port.error() == QSerialPort::ReadError && !platform::serialHandleHungUp(m_port.handle());
    }
    written = written && m_port.isOpen();
    // What failed to go out now must not go out later, after the failure was reported.
    if (!written && m_port.isOpen())
        m_port.clear(QSerialPort::Output);
    m_sending = false;

    // Bytes read while waiting stay queued until the caller is done.
    if (m_port.bytesAvailable() > 0)
        QMetaObject::invokeMethod(this, &SerialLink::deliverPending, Qt::QueuedConnection);
    return written;
}

bool SerialLink::sendText(const std::string &text)
{
    return sendBytes(QByteArray(text.data(), static_cast<qsizetype>(text.size())));
}

const QSerialPort &SerialLink::port() const
{
    return m_port;
}

void SerialLink::onReadyRead()
{
    if (!m_sending)
        deliverPending();
}

void SerialLink::deliverPending()
{
    if (m_sending || !m_port.isOpen())
        return;
    const QByteArray chunk = m_port.readAll();
    if (!chunk.isEmpty())
        emit bytesReceived(chunk);
}

void SerialLink::onErrorOccurred(QSerialPort::SerialPortError error)
{
    if (m_opening || !m_port.isOpen())
        return;
    // A hung-up tty reads as "ready, zero bytes": the port reports a read or
    // write error with a stale cause and would retry forever, so ask the system.
    const bool gone = error == QSerialPort::ResourceError
        || ((error == QSerialPort::ReadError || error == QSerialPort::WriteError)
            && platform::serialHandleHungUp(m_port.handle()));
    if (gone)
        scheduleLoss();
}

void SerialLink::scheduleLoss()
{
    if (m_lossScheduled)
        return;
    m_lossScheduled = true;
    // Closing inside the port's own notification would pull the port from under
    // its caller; close from the event loop instead.
    const quint64 generation = m_openGeneration;
    QMetaObject::invokeMethod(this, [this, generation] { handleLoss(generation); }, Qt::QueuedConnection);
}

void SerialLink::handleLoss(quint64 openGeneration)
{
    if (openGeneration != m_openGeneration || !m_port.isOpen())
        return;
    deliverPending();
    close();
    emit deviceLost();
}
