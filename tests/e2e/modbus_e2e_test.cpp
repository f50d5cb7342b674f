// The real main window against a Modbus RTU device we did not write: the
// libmodbus simulator on a pseudo-terminal, strict about CRC and address.
#include "app/autosender.h"
#include "app/logview.h"
#include "app/mainwindowfixture.h"
#include "calc/calculatorwindow.h"
#include "convert/hexcrc16.h"
#include "support/devsimprocess.h"
#include "text/textrules.h"
#include "ui_calculatorwindow.h"

#include <QCheckBox>

namespace {

class ModbusDeviceTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(device.started());
        qputenv("TAVLO_PORTS", QStringLiteral("COM200=%1").arg(QString::fromStdString(device.devicePath())).toLocal8Bit());
        open();
        ui().组合框_端口->setCurrentText(QStringLiteral("COM200"));
        ui().编辑框1->setText(QStringLiteral("200")); // generous line break for slow machines
        ui().按钮_打开串口->click();
        ASSERT_EQ(ui().按钮_打开串口->text(), QStringLiteral("关闭串口"));
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        qunsetenv("TAVLO_PORTS");
    }
    void send(const QString &frame, bool crcLowByteFirst = true)
    {
        ui().CRC选择框->setChecked(true);
        ui().CRC反->setChecked(crcLowByteFirst);
        ui().编辑框_发送->setText(frame);
        ui().按钮_发送->click();
    }
    // The log's lines once at least `count` complete lines are there, or what
    // is there when the time is up (the caller checks the count).
    std::vector<std::string> logLines(size_t count, int timeoutMs = 5000)
    {
        std::vector<std::string> lines;
        const bool complete = QTest::qWaitFor([&] {
            const std::string text = ui().超级编辑框1->wholeText();
            lines = text::splitText(text, "\r\n");
            return lines.size() >= count && text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0;
        }, timeoutMs);
        if (!complete)
            ADD_FAILURE() << "the log did not reach " << count << " complete lines";
        return lines;
    }

    DevsimProcess device; // strict: libmodbus decides
};

// "01 03 14" then registers 0..9 as the simulator documents them.
std::string readAnswerBody()
{
    std::string body = "01 03 14 ";
    for (int k = 0; k < 10; ++k)
        body += "00 0" + std::to_string(k) + " ";
    return body;
}

} // namespace

TEST_F(ModbusDeviceTest, ReadHoldingRegistersAnswersOnOneBlueLine)
{
    send(QStringLiteral("01 03 00 00 00 0A"));
    const std::vector<std::string> lines = logLines(2);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "01 03 00 00 00 0A C5 CD");
    ASSERT_EQ(lines[1].size(), 25u * 3);
    EXPECT_EQ(lines[1].substr(0, readAnswerBody().size()), readAnswerBody());
    EXPECT_EQ(HexCrc16(lines[1]), "00 00"); // the device's CRC checks
    EXPECT_EQ(state.rxCount, 25);

    const int answerStart = static_cast<int>(lines[0].size()) + 1;
    QTextCursor c(ui().超级编辑框1->document());
    c.setPosition(answerStart + 1);
    EXPECT_EQ(c.charFormat().foreground().color(), QColor(0, 0, 0xFF));
}

TEST_F(ModbusDeviceTest, TheCrcHighByteFirstGetsNoAnswer)
{
    send(QStringLiteral("01 03 00 00 00 0A"), false);
    QTest::qWait(800);
    EXPECT_EQ(ui().超级编辑框1->wholeText(), "01 03 00 00 00 0A CD C5\r\n");
    EXPECT_EQ(state.rxCount, 0);
}

TEST_F(ModbusDeviceTest, AWrittenRegisterReadsBack)
{
    send(QStringLiteral("01 06 00 05 12 34"));
    std::vector<std::string> lines = logLines(2);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].substr(0, 18), "01 06 00 05 12 34 "); // the echo of a write
    send(QStringLiteral("01 03 00 05 00 01"));
    lines = logLines(4);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[3].substr(0, 15), "01 03 02 12 34 ");
}

TEST_F(ModbusDeviceTest, TheCalculatorShowsARegisterOfEachAnswer)
{
    window->openCalculator();
    Ui::CalculatorWindow &calc = *window->calculator()->form();
    calc.组合框_1->setCurrentIndex(14); // register 5: bytes 14 and 15 of the answer
    calc.组合框_5->setCurrentIndex(2);
    calc.编辑框3->setPlainText(QStringLiteral("/10"));
    calc.选择框1->setChecked(true);
    send(QStringLiteral("01 06 00 05 01 F4")); // 500
    logLines(2);
    send(QStringLiteral("01 03 00 00 00 0A"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return calc.编辑框8->text() == QStringLiteral("50"); }, 5000));
    EXPECT_EQ(calc.编辑框161->text(), QStringLiteral("01F4"));

    window->calculator()->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->calculator() == nullptr; }, 2000));
    EXPECT_EQ(state.calcWindowOpen, 0); // frames no longer reach the engine
    send(QStringLiteral("01 03 00 00 00 0A"));
    EXPECT_EQ(logLines(6).size(), 6u);
}

TEST_F(ModbusDeviceTest, AutoSendLoopsOverTwoRequests)
{
    ui().CRC选择框->setChecked(true);
    ui().CRC反->setChecked(true);
    ui().编辑框_循环->setPlainText(QStringLiteral("01 03 00 00 00 01\n01 03 00 01 00 01"));
    ui().组合框_毫秒->setEditText(QStringLiteral("400"));
    ui().选择框_循环->setChecked(true);
    ui().按钮_自动发送->click();
    const std::vector<std::string> lines = logLines(8, 15000);
    ui().按钮_自动发送->click();
    ASSERT_GE(lines.size(), 8u);
    for (size_t i = 0; i < 8; i += 2) {
        const std::string reg = i % 4 == 0 ? "00 00" : "00 01";
        EXPECT_EQ(lines[i], "01 03 " + reg + " 00 01 " + HexCrc16("01 03 " + reg + " 00 01").substr(3, 2) + " "
                                + HexCrc16("01 03 " + reg + " 00 01").substr(0, 2));
        EXPECT_EQ(lines[i + 1].substr(0, 15), "01 03 02 " + reg + " ") << "answer " << i / 2;
        EXPECT_EQ(HexCrc16(lines[i + 1]), "00 00");
    }
}

TEST_F(ModbusDeviceTest, TextFramesReachTheDeviceWithoutHarm)
{
    ui().单选框_ASCII发送->click();
    ui().编辑框_发送->setText(QStringLiteral("AB"));
    ui().按钮_发送->click();
    EXPECT_EQ(state.txCount, 2);
    QTest::qWait(300);
    EXPECT_EQ(state.rxCount, 0); // not a request: no answer
    ui().单选框_16发送->click();
    send(QStringLiteral("01 03 00 00 00 01"));
    EXPECT_EQ(logLines(3).size(), 3u); // the device is still there and answers
}
