#include "platform/serialports.h"

#include "serial/portnames.h"

#include <QFile>
#include <QList>
#include <QSerialPortInfo>

#include <poll.h>

namespace {

// "COM<n>=<device>;..." entries laid over the system's devices.
const char PORT_MAP_VARIABLE[] = "TAVLO_PORTS";
const char TTYS_DEVICE_PREFIX[] = "/dev/ttyS";

std::string toDevicePath(const QString &device)
{
    return QFile::encodeName(device).toStdString();
}

QString fromDevicePath(const std::string &device)
{
    return QFile::decodeName(QByteArray::fromStdString(device));
}

} // namespace

namespace platform {

bool listSerialPorts(std::vector<PortEntry> &ports)
{
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    std::vector<std::string> devices;
    devices.reserve(static_cast<size_t>(infos.size()));
    for (const QSerialPortInfo &info : infos)
        devices.push_back(toDevicePath(info.systemLocation()));

    const std::vector<portnames::PortSpec> merged = portnames::mergePortMap(
        portnames::numberSystemDevices(devices),
        portnames::parsePortMap(qgetenv(PORT_MAP_VARIABLE).toStdString()));

    for (const portnames::PortSpec &spec : merged) {
        const QString device = fromDevicePath(spec.device);
        QString description;
        for (const QSerialPortInfo &info : infos) {
            if (info.systemLocation() == device)
                description = info.description();
        }
        ports.push_back({spec.number, QString::fromStdString(portnames::comName(spec.number)), device,
                         description});
    }
    return true;
}

QString defaultSerialDevice(int32_t number)
{
    return QLatin1String(TTYS_DEVICE_PREFIX) + QString::number(static_cast<qint64>(number) - 1);
}

bool serialHandleHungUp(qintptr handle)
{
    pollfd descriptor = {static_cast<int>(handle), POLLIN, 0};
    if (::poll(&descriptor, 1, 0) < 0)
        return false;
    return (descriptor.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

bool hasOneAndHalfStopBits()
{
    // termios has one or two stop bits only.
    return false;
}

} // namespace platform
