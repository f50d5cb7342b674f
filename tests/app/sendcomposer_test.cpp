#include "app/logview.h"
#include "app/mainwindowfixture.h"
#include "app/sendcomposer.h"
#include "serial/seriallink.h"
#include "support/gbk.h"

namespace {

using SendComposerTest = PtyWindowTest;

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

} // namespace

TEST_F(SendComposerTest, FramesOnTheLineEchoesAndCounts)
{
    const struct {
        const char *sendText; // UTF-8, sent as GBK
        bool hexMode, crc, crcReversed;
        QByteArray wire;
        const char *log; // what the log holds afterwards
    } cases[] = {
        {"0103 1000 0025", true, false, false, bytes({1, 3, 0x10, 0, 0, 0x25}), "01 03 10 00 00 25\r\n"},
        {"0a 0b", true, false, false, bytes({0x0A, 0x0B}), "0A 0B\r\n"},
        {"01 03 00 00 00 01", true, true, false, bytes({1, 3, 0, 0, 0, 1, 0x0A, 0x84}), "01 03 00 00 00 01 0A 84\r\n"},
        {"01 03 00 00 00 01", true, true, true, bytes({1, 3, 0, 0, 0, 1, 0x84, 0x0A}), "01 03 00 00 00 01 84 0A\r\n"},
        {"01 0", true, false, false, QByteArray(), "01 0  → 数据输入长度错误,未能发送！"},
        {"0G 12", true, false, false, bytes({0, 0x12}), "0G 12\r\n"},
        {"   ", true, false, false, QByteArray(), "\r\n"},
        {"   ", true, true, false, bytes({0, 0xFF, 0xFF}), " FF FF\r\n"},
        {"AB中", false, false, false, QByteArray("AB\xD6\xD0"), "AB中\r\n"},
        {"   ", false, false, false, QByteArray("   "), "   \r\n"},
        {"", true, true, false, QByteArray(), "  → 发送数据为空！\r\n"},
    };
    openPort();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.sendText);
        ui().超级编辑框1->setWholeText("");
        (c.hexMode ? ui().单选框_16发送 : ui().单选框_ASCII发送)->setChecked(true);
        ui().CRC选择框->setChecked(c.crc);
        ui().CRC反->setChecked(c.crcReversed);
        ui().编辑框_发送->setText(QString::fromUtf8(c.sendText));
        const int64_t before = state.txCount;
        QTest::mouseClick(ui().按钮_发送, Qt::LeftButton);
        EXPECT_EQ(sentBytes(c.wire.size()), c.wire);
        EXPECT_EQ(ui().超级编辑框1->wholeText(), gbk(c.log));
        EXPECT_EQ(state.txCount - before, c.wire.size());
        EXPECT_EQ(window->statusPart(1)->text(), QStringLiteral("TX:%1").arg(state.txCount));
    }
    EXPECT_EQ(sentBytes(1, 100), QByteArray()); // nothing beyond the frames
}

TEST_F(SendComposerTest, EchoIsGreenAtTheCaretAndTheViewScrolls)
{
    openPort();
    ui().超级编辑框1->setWholeText("line one\r\nline two");
    ui().超级编辑框1->select(4, 0); // the user clicked inside earlier text
    ui().CRC选择框->setChecked(false);
    ui().编辑框_发送->setText(QStringLiteral("01"));
    ui().按钮_发送->click();
    EXPECT_EQ(ui().超级编辑框1->wholeText(), "line01\r\n one\r\nline two");
    QTextCursor c(ui().超级编辑框1->document());
    c.setPosition(5);
    EXPECT_EQ(c.charFormat().foreground().color(), QColor(0, 0x80, 0));
    EXPECT_EQ(c.charFormat().fontPointSize(), 11);
    EXPECT_EQ(ui().超级编辑框1->textCursor().position(), 7); // behind the echo and its line break
}

TEST_F(SendComposerTest, AClosedUnopenablePortWritesOnlyThePanelsMessage)
{
    qputenv("TAVLO_PORTS", "COM207=/dev/tavlo-no-such-device");
    window.reset();
    open();
    ui().组合框_端口->setCurrentText(QStringLiteral("COM207"));
    ui().按钮_发送->click();
    EXPECT_EQ(ui().超级编辑框1->wholeText(), gbk("  → 端口打开失败！可能被其他程序占用。\r\n"));
    EXPECT_EQ(state.txCount, 0);
}

TEST_F(SendComposerTest, SendingOpensAClosedPortFirst)
{
    ui().CRC选择框->setChecked(false);
    ui().编辑框_发送->setText(QStringLiteral("7F"));
    ui().按钮_发送->click();
    EXPECT_EQ(ui().按钮_打开串口->text(), QStringLiteral("关闭串口"));
    EXPECT_EQ(sentBytes(1), bytes({0x7F}));
}

TEST_F(SendComposerTest, AFailedSendReportsAndKeepsTheHexCount)
{
    openPort();
    window->端口1().close(); // the lamp still shows open; the link refuses
    ui().CRC选择框->setChecked(true);
    ui().编辑框_发送->setText(QStringLiteral("01 03 00 00 00 01"));
    ui().按钮_发送->click();
    EXPECT_EQ(ui().超级编辑框1->wholeText(), gbk("01 03 00 00 00 01  → 数据未能发送！\r\n"));
    EXPECT_EQ(state.txCount, 8);

    ui().单选框_ASCII发送->setChecked(true);
    ui().按钮_发送->click();
    EXPECT_EQ(state.txCount, 8); // text mode counts only what went out
}

// Offscreen there is no system-wide hotkey: Enter in the active main window stands in.
TEST_F(SendComposerTest, EnterSendsWhileTheBoxIsChecked)
{
    openPort();
    ui().CRC选择框->setChecked(false);
    ui().编辑框_发送->setText(QStringLiteral("5A"));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

    ui().回车发送选择框->click();
    EXPECT_NE(state.enterHotkeyId, 0);
    QTest::keyClick(ui().编辑框_循环, Qt::Key_Return);
    EXPECT_EQ(sentBytes(1), bytes({0x5A}));
    EXPECT_EQ(ui().编辑框_循环->toPlainText(), QString()); // the key went to the hotkey, not the box
    QTest::keyClick(ui().编辑框_发送, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(sentBytes(1, 200), QByteArray());

    ui().回车发送选择框->click();
    QTest::keyClick(ui().编辑框_发送, Qt::Key_Return);
    EXPECT_EQ(sentBytes(1, 200), QByteArray());
    const int firstId = state.enterHotkeyId;
    ui().回车发送选择框->click();
    EXPECT_NE(state.enterHotkeyId, firstId); // each registration gets a new id
}
