#include "app/lampwidget.h"
#include "app/logview.h"
#include "app/mainwindowfixture.h"
#include "app/portpanel.h"
#include "serial/seriallink.h"
#include "settings/settingskeys.h"
#include "support/gbk.h"
#include "support/ptypair.h"

namespace {

const std::string FAILURE_LINE = "  → 端口打开失败！可能被其他程序占用。\r\n";

class PortPanelTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        qputenv("TAVLO_PORTS", QStringLiteral("COM207=%1;COM208=/dev/tavlo-no-such-device").arg(pty.device()).toLocal8Bit());
        open();
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        qunsetenv("TAVLO_PORTS");
    }
    void choosePort(const QString &name) { ui().组合框_端口->setCurrentText(name); }
    bool panelShowsOpen()
    {
        const bool open = ui().按钮_打开串口->text() == QStringLiteral("关闭串口");
        EXPECT_EQ(ui().串口状态外形框->fillColor(), open ? 0x00FF00u : LampWidget::NO_FILL);
        for (QComboBox *list : {ui().组合框_端口, ui().组合框_波特率, ui().组合框_数据位, ui().组合框_停止位, ui().组合框_校验位})
            EXPECT_EQ(list->isEnabled(), !open);
        return open;
    }

    PtyPair pty;
};

} // namespace

TEST_F(PortPanelTest, OpensWithTheChosenSettingsAndCloses)
{
    choosePort(QStringLiteral("COM207"));
    ui().组合框_波特率->setCurrentText(QStringLiteral("115200"));
    ui().组合框_数据位->setCurrentText(QStringLiteral("7"));
    ui().组合框_停止位->setCurrentText(QStringLiteral("1.5"));
    ui().组合框_校验位->setCurrentText(QStringLiteral("E 偶"));
    ui().按钮_打开串口->click();
    ASSERT_TRUE(panelShowsOpen());
    const SerialSettings s = window->端口1().settings();
    EXPECT_EQ(s.portNumber, 207);
    EXPECT_EQ(s.baudRate, 115200);
    EXPECT_EQ(s.dataBits, 7);
    EXPECT_EQ(s.stopBitsCode, 2);
    EXPECT_EQ(s.parityCode, 2);
    EXPECT_TRUE(window->端口1().isOpen());
    EXPECT_EQ(window->端口1().port().baudRate(), 115200);
    EXPECT_EQ(window->端口1().port().parity(), QSerialPort::EvenParity);

    ui().按钮_打开串口->click();
    EXPECT_FALSE(panelShowsOpen());
    EXPECT_FALSE(window->端口1().isOpen());
    EXPECT_EQ(ui().超级编辑框1->wholeText(), "");
}

TEST_F(PortPanelTest, AFailedOpenWritesTheFailureLineEachTime)
{
    choosePort(QStringLiteral("COM208"));
    ui().按钮_打开串口->click();
    EXPECT_FALSE(panelShowsOpen());
    ui().按钮_打开串口->click();
    EXPECT_FALSE(panelShowsOpen());
    EXPECT_EQ(ui().超级编辑框1->wholeText(), gbk(FAILURE_LINE + FAILURE_LINE));
}

TEST_F(PortPanelTest, EveryPressStoresTheSendTextAndTheLoopList)
{
    const SettingsStore s = store();
    choosePort(QStringLiteral("COM207"));
    ui().编辑框_发送->setText(QStringLiteral("11 22"));
    ui().编辑框_循环->setPlainText(QStringLiteral("first"));
    ui().按钮_打开串口->click();
    EXPECT_EQ(s.read(settingskeys::sendSection(), settingskeys::sendTextKey()), QStringLiteral("11 22"));
    EXPECT_EQ(s.readLoopFile(), "first");
    ui().编辑框_发送->setText(QStringLiteral("33"));
    ui().编辑框_循环->setPlainText(QString());
    ui().按钮_打开串口->click(); // closing stores them too
    EXPECT_EQ(s.read(settingskeys::sendSection(), settingskeys::sendTextKey()), QStringLiteral("33"));
    EXPECT_EQ(s.readLoopFile(), "");
}

TEST_F(PortPanelTest, AVanishedDeviceReturnsThePanelToClosed)
{
    choosePort(QStringLiteral("COM207"));
    ui().按钮_打开串口->click();
    ASSERT_TRUE(panelShowsOpen());
    pty.closeMaster();
    EXPECT_TRUE(QTest::qWaitFor([&] { return ui().按钮_打开串口->text() == QStringLiteral("打开串口"); }, 5000));
    EXPECT_FALSE(panelShowsOpen());
    EXPECT_FALSE(window->端口1().isOpen());
    EXPECT_EQ(ui().超级编辑框1->wholeText(), gbk("  → 串口已断开！\r\n"));
}
