#pragma once

#include <cstdint>
#include <string>

// A character format applied to text inserted into the log.
struct CharFormat
{
    std::string faceName; // GBK
    int32_t sizePt = 9;
    int32_t offsetPt = 0;
    uint32_t effects = 0; // bit 0 bold, 1 italic, 2 underline, 3 strike-out, 4 protected
    uint32_t color = 0xFF000000; // 0x00BBGGRR; 0xFF000000 is the automatic colour
};

const uint32_t DEFAULT_COLOR = 0xFF000000;
const uint32_t EFFECT_BOLD = 1u << 0;
const uint32_t EFFECT_ITALIC = 1u << 1;
const uint32_t EFFECT_UNDERLINE = 1u << 2;
const uint32_t EFFECT_STRIKEOUT = 1u << 3;
