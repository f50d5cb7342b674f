#pragma once
// Every section, key and default of the settings file, named once. Sections
// and keys are written into the file exactly as spelled here. Index and number
// defaults are integers, text defaults QString, flag defaults bool.

#include <QString>

#include <cstdint>

namespace settingskeys {

// Flag values.
inline QString flagChecked() { return QStringLiteral("真"); }
inline QString flagUnchecked() { return QStringLiteral("假"); }

// Main window: port panel.
inline QString portSection() { return QStringLiteral("端口"); }
inline QString portKey() { return QStringLiteral("com"); }
inline QString baudRateKey() { return QStringLiteral("波特率"); }
inline QString parityKey() { return QStringLiteral("校验位"); }
inline QString dataBitsKey() { return QStringLiteral("数据位"); }
inline QString stopBitsKey() { return QStringLiteral("停止位"); }
constexpr int32_t PORT_DEFAULT_INDEX = 0;
constexpr int32_t BAUD_RATE_DEFAULT_INDEX = 5; // "9600"
constexpr int32_t PARITY_DEFAULT_INDEX = 0;
constexpr int32_t DATA_BITS_DEFAULT_INDEX = 0;
constexpr int32_t STOP_BITS_DEFAULT_INDEX = 0;

// Section shared by the auto-send interval and the batch generator window.
inline QString moduleSection() { return QStringLiteral("MoKuai"); }

// Main window: auto-send interval list.
inline QString autoSendIntervalKey() { return QStringLiteral("毫秒"); }
constexpr int32_t AUTO_SEND_INTERVAL_DEFAULT_INDEX = 3; // "500"

// Main window: line-break interval box, kept as its text.
inline QString lineBreakIntervalSection() { return QStringLiteral("自动换行"); }
inline QString lineBreakIntervalKey() { return QStringLiteral("间隔毫秒"); }
inline QString lineBreakIntervalDefault() { return QStringLiteral("50"); }

// Main window: "自动换行" check box.
inline QString lineBreakSection() { return QStringLiteral("换行"); }
inline QString lineBreakKey() { return QStringLiteral("是否换行"); }
constexpr bool LINE_BREAK_DEFAULT = true;

// Main window: CRC byte-order check box "反".
inline QString crcSection() { return QStringLiteral("CRC"); }
inline QString crcSwappedKey() { return QStringLiteral("CRC反"); }
constexpr bool CRC_SWAPPED_DEFAULT = false;

// Main window: send box.
inline QString sendSection() { return QStringLiteral("发送"); }
inline QString sendTextKey() { return QStringLiteral("单数据"); }
inline QString sendTextDefault() { return QStringLiteral("01 03 10 00 00 25"); }

// Main window: size and position, in pixels; the position has no default.
inline QString sizeSection() { return QStringLiteral("大小"); }
inline QString widthKey() { return QStringLiteral("KD"); }
inline QString heightKey() { return QStringLiteral("GD"); }
constexpr int32_t WIDTH_DEFAULT_PX = 600;
constexpr int32_t HEIGHT_DEFAULT_PX = 536;
inline QString positionSection() { return QStringLiteral("位置"); }
inline QString topKey() { return QStringLiteral("DB"); }
inline QString leftKey() { return QStringLiteral("ZB"); }

// Batch generator window (section moduleSection()). The two address boxes are
// kept as their texts.
inline QString moduleTypeKey() { return QStringLiteral("类型"); }
inline QString channelCountKey() { return QStringLiteral("路数"); }
inline QString firstAddressKey() { return QStringLiteral("地址起"); }
inline QString lastAddressKey() { return QStringLiteral("地址终"); }
constexpr int32_t MODULE_TYPE_DEFAULT_INDEX = 0;
constexpr int32_t CHANNEL_COUNT_DEFAULT_INDEX = 2;
inline QString firstAddressDefault() { return QStringLiteral("0"); }
inline QString lastAddressDefault() { return QStringLiteral("251"); }

// Calculator window: columns 1 to CALC_COLUMN_COUNT; no key has a default.
constexpr int CALC_COLUMN_COUNT = 4;
inline QString calcStartSection() { return QStringLiteral("计算起始"); }
inline QString calcStartKey(int column) { return QStringLiteral("%1起").arg(column); }
inline QString calcCountKey(int column) { return QStringLiteral("%1几").arg(column); }
inline QString calcOperationSection() { return QStringLiteral("16进制数据"); }
inline QString calcOperationKey(int column) { return QStringLiteral("数据%1").arg(column); }
// Put into the last column's operation box when it comes back empty.
inline QString calcLastOperationFallback() { return QStringLiteral("+1000\r\n-1000\r\n*1000\r\n/1000"); }

} // namespace settingskeys
