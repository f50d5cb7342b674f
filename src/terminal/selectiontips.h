#pragma once

#include <optional>
#include <string>

// The texts of the two conversion balloons over a selection of the log. All
// text is GBK bytes; the selection carries "\r\n" between lines.

// Width of one column cell in bytes, the separating space not counted.
const size_t TIP_CELL_BYTES = 8;

// One cell per space-separated token, each 8 bytes and a space: the token as
// selected, its decimal value and its low eight bits, or "     ??? " and
// "???????? " where the token does not convert.
struct TipColumns
{
    std::string hex;
    std::string decimal;
    std::string binary;
};

// Nothing when the selection holds only spaces (or nothing).
std::optional<TipColumns> tokenColumns(const std::string &selection);

// "16进制：" + hex + "\r\n10进制：" + decimal + "\r\n 2进制：" + binary.
std::string tokenTipText(const TipColumns &columns);

// The per-token balloon for a selection; nothing when no balloon is shown.
std::optional<std::string> tokenTip(const std::string &selection);

// The whole selection read as one hex number of at most four bytes:
// "16进制：" + merged digits + "\r\n10进制：" + decimal value, error text or
// "最多支持4字节". Nothing when the selection holds only spaces.
std::optional<std::string> mergeTip(const std::string &selection);
