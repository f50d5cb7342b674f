#include "app/layoutrules.h"

#include <gtest/gtest.h>

TEST(LayoutRules, WorkedValues)
{
    const struct {
        int w, h;
        MainLayout expected;
    } cases[] = {
        {727, 536, {507, 519, 586, 579, 581, 379, 420, 715, 367, 385}},
        {600, 536, {380, 392, 459, 452, 454, 379, 420, 588, 240, 258}},
    };
    for (const auto &c : cases) {
        const MainLayout l = computeMainLayout(c.w, c.h);
        const MainLayout &e = c.expected;
        EXPECT_EQ(l.sendBoxWidth, e.sendBoxWidth);
        EXPECT_EQ(l.sendButtonLeft, e.sendButtonLeft);
        EXPECT_EQ(l.rightPanelsLeft, e.rightPanelsLeft);
        EXPECT_EQ(l.stripWidth, e.stripWidth);
        EXPECT_EQ(l.logWidth, e.logWidth);
        EXPECT_EQ(l.logHeight, e.logHeight);
        EXPECT_EQ(l.autoGroupTop, e.autoGroupTop);
        EXPECT_EQ(l.autoGroupWidth, e.autoGroupWidth);
        EXPECT_EQ(l.loopListWidth, e.loopListWidth);
        EXPECT_EQ(l.autoControlsLeft, e.autoControlsLeft);
    }
}
