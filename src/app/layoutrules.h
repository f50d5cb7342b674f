#pragma once

// Where the main window's resizable controls go for an outer size W x H.
// Each value derives from the ones before it; nothing else on the window moves.
struct MainLayout
{
    int sendBoxWidth;     // 编辑框_发送
    int sendButtonLeft;   // 按钮_发送
    int rightPanelsLeft;  // 分组框1 and 分组框3
    int stripWidth;       // 图片框1
    int logWidth;         // 超级编辑框1
    int logHeight;
    int autoGroupTop;     // 分组框2
    int autoGroupWidth;
    int loopListWidth;    // 编辑框_循环
    int autoControlsLeft; // 图片框_分组
};

// Fixed places the rules build on, from the window design.
struct MainLayoutBase
{
    int sendBoxLeft = 2;
    int sendButtonWidth = 52;
    int logTop = 45;
    int autoGroupHeight = 61;
};

MainLayout computeMainLayout(int width, int height, const MainLayoutBase &base = MainLayoutBase());
