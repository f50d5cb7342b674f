// The system-wide Enter hotkey on a real X server: another client's Enter press
// reaches the program while it holds the grab, and no longer after the release.
// Runs under Xvfb with the xcb platform (see tests/CMakeLists.txt); skipped elsewhere.
#include "platform/enterhotkey.h"

#include <QGuiApplication>
#include <QProcess>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

void pressEnterElsewhere() { ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Return")}), 0); }

} // namespace

TEST(EnterHotkeyX11, GrabsEnterForTheWholeDesktop)
{
    if (QGuiApplication::platformName() != QStringLiteral("xcb"))
        GTEST_SKIP() << "needs an X server";
    QWidget owner; // never shown: the press does not need the program's window
    EnterHotkey hotkey(&owner);
    std::vector<int> pressed;
    QObject::connect(&hotkey, &EnterHotkey::activated, [&](int id) { pressed.push_back(id); });

    const int id = hotkey.registerKey();
    ASSERT_GT(id, 0);
    pressEnterElsewhere();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !pressed.empty(); }, 3000));
    EXPECT_EQ(pressed, std::vector<int>{id});

    hotkey.release(id);
    pressEnterElsewhere();
    QTest::qWait(300);
    EXPECT_EQ(pressed.size(), 1u);
}
