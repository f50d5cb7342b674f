#include "terminal/selectiontips.h"

#include "convert/radixconvert.h"
#include "text/textrules.h"

namespace {

const char LINE_BREAK[] = "\r\n";
const char HEX_CAPTION[] = "16\xbd\xf8\xd6\xc6\xa3\xba";             // 16进制：
const char DECIMAL_CAPTION[] = "\r\n10\xbd\xf8\xd6\xc6\xa3\xba";     // \r\n10进制：
const char BINARY_CAPTION[] = "\r\n 2\xbd\xf8\xd6\xc6\xa3\xba";      // \r\n 2进制：
const char FAILED_CELL[] = "\xbd\xf8\xd6\xc6\xca\xfd\xa3\xa1 ";      // "进制数！ "
const char DECIMAL_FAILED[] = "     ??? ";
const char BINARY_FAILED[] = "???????? ";
const char TOO_LONG[] = "\xd7\xee\xb6\xe0\xd6\xa7\xb3\xd6" "4\xd7\xd6\xbd\xda"; // 最多支持4字节
const size_t MERGE_MAX_BYTES = 8;

// The last 8 bytes of eight fill bytes followed by the text, then a space.
std::string cell(const std::string &text, char fill)
{
    const std::string padded = std::string(TIP_CELL_BYTES, fill) + text;
    return padded.substr(padded.size() - TIP_CELL_BYTES) + ' ';
}

std::string replaceAll(std::string s, const std::string &from, const std::string &to)
{
    for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
    return s;
}

} // namespace

std::optional<TipColumns> tokenColumns(const std::string &selection)
{
    const std::string trimmed = text::trimSpaces(selection);
    if (trimmed.empty())
        return std::nullopt;
    TipColumns columns;
    for (const std::string &token : text::splitText(replaceAll(trimmed, LINE_BREAK, " "), " ")) {
        if (token.empty())
            continue;
        // Every failure of the conversion, a bad digit or a value out of its
        // range, ends in "进制数！", which fills the cell exactly.
        std::string normalised = token;
        std::string decimal = cell(RadixConvert(normalised, 16, 10), ' ');
        if (decimal == FAILED_CELL)
            decimal = DECIMAL_FAILED;
        std::string binary = cell(RadixConvert(normalised, 16, 2), '0');
        if (binary == FAILED_CELL)
            binary = BINARY_FAILED;
        columns.hex += cell(token, ' ');
        columns.decimal += decimal;
        columns.binary += binary;
    }
    return columns;
}

std::string tokenTipText(const TipColumns &columns)
{
    return HEX_CAPTION + columns.hex + DECIMAL_CAPTION + columns.decimal + BINARY_CAPTION + columns.binary;
}

std::optional<std::string> tokenTip(const std::string &selection)
{
    const std::optional<TipColumns> columns = tokenColumns(selection);
    if (!columns)
        return std::nullopt;
    return tokenTipText(*columns);
}

std::optional<std::string> mergeTip(const std::string &selection)
{
    std::string merged = text::removeSpaces(selection);
    if (merged.empty())
        return std::nullopt;
    merged = replaceAll(merged, LINE_BREAK, "");
    // Shown unchanged when too long; otherwise as the conversion normalised it.
    const std::string result = merged.size() > MERGE_MAX_BYTES ? TOO_LONG : RadixConvert(merged, 16, 10);
    return HEX_CAPTION + merged + DECIMAL_CAPTION + result;
}
