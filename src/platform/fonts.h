#pragma once

namespace platform {

// Maps the program's face names ("宋体") to fonts this system has, so captions
// and the log render with a CJK face of the intended size where SimSun is missing.
void installFontSubstitutes();

} // namespace platform
