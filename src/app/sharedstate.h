#pragma once

#include "terminal/charformat.h"
#include "terminal/receivedecoder.h"

#include <cstdint>
#include <string>
#include <vector>

// The program's shared state: one instance, owned by the application, touched
// only on the GUI thread. Text members are GBK bytes.
struct SharedState
{
    CharFormat txFormat = initialFormat();
    CharFormat rxFormat = initialFormat();
    CharFormat loopFormat = initialFormat();

    int32_t calcWindowOpen = 0;
    ReceiveState rx; // rxFrameText and dbcsPending
    int64_t rxCount = 0;
    int32_t lineBreakMs = 0;
    int64_t txCount = 0;

    std::vector<std::string> autoLines;
    int32_t autoIndex = 0;
    int32_t autoActive = 0;
    std::string autoCurrentLine;

    int32_t enterHotkeyId = 0;

    static CharFormat initialFormat()
    {
        CharFormat f;
        f.faceName = "\xcb\xce\xcc\xe5"; // 宋体
        f.sizePt = 9;
        return f;
    }
};
