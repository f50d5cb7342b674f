#pragma once

#include <string>
#include <vector>

// The loop list cut at every "\r\n": empty pieces are lines, a final line break
// adds none. Spaces stay as typed.
std::vector<std::string> splitLoopList(const std::string &listText);

// What a tick puts into the send box: a line holding "→" sends its first 24
// bytes (frame, CRC and the space before the arrow), one holding "←" its first
// 12 bytes, any other line goes whole.
std::string framePart(const std::string &line);
