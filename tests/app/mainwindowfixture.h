#pragma once
// A main window on a fresh settings folder, driven offscreen.

#include "app/mainwindow.h"
#include "app/sharedstate.h"
#include "settings/settingsstore.h"
#include "support/ptypair.h"
#include "ui_mainwindow.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QLabel>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        qputenv("TMPDIR", m_dir.path().toLocal8Bit());
    }
    void TearDown() override { window.reset(); }

    MainWindow &open()
    {
        window = std::make_unique<MainWindow>(state);
        window->show();
        return *window;
    }
    // Closes and destroys the window as the user's close does.
    void closeWindow()
    {
        window->close();
        window.reset();
    }
    Ui::MainWindow &ui() { return *window->form(); }
    SettingsStore store() const { return SettingsStore(m_dir.path()); }
    QString dir() const { return m_dir.path(); }

    SharedState state;
    std::unique_ptr<MainWindow> window;

private:
    QTemporaryDir m_dir;
};

// A main window whose port COM207 is a pseudo-terminal; the test plays the
// device on the master side.
class PtyWindowTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        qputenv("TAVLO_PORTS", QStringLiteral("COM207=%1").arg(pty.device()).toLocal8Bit());
        open();
        ui().组合框_端口->setCurrentText(QStringLiteral("COM207"));
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        qunsetenv("TAVLO_PORTS");
    }
    void openPort()
    {
        ui().按钮_打开串口->click();
        ASSERT_EQ(ui().按钮_打开串口->text(), QStringLiteral("关闭串口"));
    }
    // Bytes the program wrote to the line, waiting up to timeoutMs for `count` of
    // them while the program's events (timers, received bytes) are handled.
    QByteArray sentBytes(qsizetype count, int timeoutMs = 2000)
    {
        QByteArray out;
        QElapsedTimer clock;
        clock.start();
        while (out.size() < count && clock.elapsed() < timeoutMs) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            out += pty.readMaster(count - out.size(), 5);
        }
        return out;
    }
    // Processes events until the log holds `text` (GBK) or the time is up.
    bool logReaches(const std::string &text, int timeoutMs = 3000)
    {
        return QTest::qWaitFor([&] { return ui().超级编辑框1->wholeText() == text; }, timeoutMs);
    }

    PtyPair pty;
};
