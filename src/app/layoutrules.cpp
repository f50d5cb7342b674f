#include "app/layoutrules.h"

MainLayout computeMainLayout(int width, int height, const MainLayoutBase &base)
{
    MainLayout l;
    l.sendBoxWidth = width - 220;
    l.sendButtonLeft = base.sendBoxLeft + l.sendBoxWidth + 10;
    l.rightPanelsLeft = l.sendButtonLeft + base.sendButtonWidth + 15;
    l.stripWidth = l.sendBoxWidth + base.sendButtonWidth + 20;
    l.logWidth = l.stripWidth + 2;
    l.logHeight = height - base.autoGroupHeight - 96;
    l.autoGroupTop = base.logTop + l.logHeight - 4;
    l.autoGroupWidth = width - 12;
    l.loopListWidth = width - 360;
    l.autoControlsLeft = l.loopListWidth + 18;
    return l;
}
