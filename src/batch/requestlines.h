#pragma once
// Request lines of the batch generator: one line per device address of a
// range, each ended by "\r\n". Texts are GBK bytes.

#include <cstdint>
#include <string>

// A range of more addresses than this gives no lines at all: any integer can be
// typed into the address boxes, and a range of millions would take minutes to
// build and could exhaust memory. The address lists offer at most 506.
constexpr int64_t REQUEST_LINES_MAX_ADDRESS_COUNT = 65536;

enum class RequestMode { DefaultData, CustomData };

struct RequestLineChoice
{
    RequestMode mode = RequestMode::DefaultData;
    // Default data: "Vorn模块" or "老模块"; any other text builds no line.
    std::string moduleTypeText;
    // Vorn module: "1路", "4路" or "9路" choose the count byte; any other text leaves it out.
    std::string channelText;
    // Custom data: put beside the address unchanged.
    std::string customText;
    bool addressInFront = false;
    int32_t start = 0;
    int32_t end = 0;
};

// The lines for every address from start to end, ascending, as one text.
// Empty when start is above end or the range holds more than
// REQUEST_LINES_MAX_ADDRESS_COUNT addresses.
std::string buildRequestLines(const RequestLineChoice &choice);

// True for the module type text "Vorn模块".
bool isVornModuleText(const std::string &moduleTypeText);
