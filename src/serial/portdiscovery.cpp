#include "serial/portdiscovery.h"

#include "platform/serialports.h"

bool discoverPorts(std::vector<PortEntry> &ports)
{
    ports.clear();
    if (platform::listSerialPorts(ports))
        return true;
    ports.clear();
    return false;
}

QString deviceForPort(int32_t number)
{
    std::vector<PortEntry> ports;
    discoverPorts(ports);
    for (const PortEntry &port : ports) {
        if (port.number == number)
            return port.device;
    }
    return platform::defaultSerialDevice(number);
}
