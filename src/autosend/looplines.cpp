#include "autosend/looplines.h"

#include "text/textrules.h"

namespace {

const char RIGHT_ARROW[] = "\xA1\xFA"; // →
const char LEFT_ARROW[] = "\xA1\xFB";  // ←
const size_t RIGHT_ARROW_FRAME_BYTES = 24;
const size_t LEFT_ARROW_FRAME_BYTES = 12;

} // namespace

std::vector<std::string> splitLoopList(const std::string &listText)
{
    return text::splitText(listText, "\r\n");
}

std::string framePart(const std::string &line)
{
    if (line.find(RIGHT_ARROW) != std::string::npos)
        return line.substr(0, RIGHT_ARROW_FRAME_BYTES);
    if (line.find(LEFT_ARROW) != std::string::npos)
        return line.substr(0, LEFT_ARROW_FRAME_BYTES);
    return line;
}
