#include "platform/serialports.h"

#include "serial/portnames.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <string>

namespace {

const char SERIAL_COMM_KEY[] = "HARDWARE\\DEVICEMAP\\SERIALCOMM";
const DWORD VALUE_NAME_BYTES = 255;
const DWORD VALUE_DATA_BYTES = 512;
const char COM_DEVICE_PREFIX[] = "\\\\.\\COM";

} // namespace

namespace platform {

bool listSerialPorts(std::vector<PortEntry> &ports)
{
    HKEY key = nullptr;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, SERIAL_COMM_KEY, &key) != ERROR_SUCCESS)
        return false;

    // Any error ends the list, a value too large for the buffers included.
    std::vector<std::string> valueData;
    for (DWORD index = 0;; ++index) {
        char name[VALUE_NAME_BYTES] = {};
        BYTE data[VALUE_DATA_BYTES] = {};
        DWORD nameLength = VALUE_NAME_BYTES;
        DWORD dataLength = VALUE_DATA_BYTES;
        if (RegEnumValueA(key, index, name, &nameLength, nullptr, nullptr, data, &dataLength)
            != ERROR_SUCCESS)
            break;
        valueData.emplace_back(reinterpret_cast<const char *>(data), std::min(dataLength, VALUE_DATA_BYTES));
    }
    RegCloseKey(key);

    for (int32_t number : portnames::registryPortNumbers(valueData))
        ports.push_back({number, QString::fromStdString(portnames::comName(number)),
                         defaultSerialDevice(number), QString()});
    return true;
}

QString defaultSerialDevice(int32_t number)
{
    return QLatin1String(COM_DEVICE_PREFIX) + QString::number(number);
}

bool serialHandleHungUp(qintptr)
{
    // A removed device is reported by the port itself as a resource error.
    return false;
}

bool hasOneAndHalfStopBits()
{
    return true;
}

} // namespace platform
