#include "app/autosender.h"
#include "app/lampwidget.h"
#include "app/logview.h"
#include "app/mainwindowfixture.h"
#include "batch/batchgenerator.h"
#include "convert/hexcrc16.h"
#include "settings/settingskeys.h"
#include "text/textrules.h"
#include "support/gbk.h"

#include <QElapsedTimer>
#include <QToolTip>

namespace {

class AutoSenderTest : public PtyWindowTest
{
protected:
    void SetUp() override
    {
        PtyWindowTest::SetUp();
        ui().CRC选择框->setChecked(false);
        ui().组合框_毫秒->setEditText(QString::number(INTERVAL_MS));
    }
    void setList(const char *utf8) { ui().编辑框_循环->setPlainText(QString::fromUtf8(utf8)); }
    void click() { ui().按钮_自动发送->click(); }
    bool running() const { return window->autoSender().isRunning(); }
    bool idleStateShown()
    {
        const bool idle = ui().按钮_自动发送->text() == QStringLiteral("自动发送");
        if (idle) {
            EXPECT_EQ(ui().外形框_自动发送->fillColor(), LampWidget::NO_FILL);
        }
        for (QPushButton *b : {ui().按钮_发送, ui().按钮_打开串口, ui().按钮_保存})
            EXPECT_EQ(b->isEnabled(), idle);
        EXPECT_EQ(state.autoActive, idle ? 0 : 1);
        EXPECT_EQ(window->时钟Vorn发送.isActive(), !idle && INTERVAL_MS > 0);
        return idle;
    }

    // Generous: the machines running the tests are shared and slow.
    static const int INTERVAL_MS = 250;
};

} // namespace

TEST_F(AutoSenderTest, SendsEachLineOneIntervalApartThenStops)
{
    setList("01 03 10 00 00 25\n01 03 00 64 00 08");
    QElapsedTimer clock;
    clock.start();
    click();
    EXPECT_FALSE(idleStateShown());
    EXPECT_EQ(state.autoIndex, 1);

    EXPECT_EQ(sentBytes(6, 5000), QByteArray::fromHex("010310000025"));
    // The first tick comes one interval after the click (timers may fire a few percent early).
    EXPECT_GE(clock.elapsed(), INTERVAL_MS * 9 / 10);
    EXPECT_EQ(ui().外形框_自动发送->fillColor(), 0x00FFFFu);
    EXPECT_TRUE(running());
    EXPECT_EQ(sentBytes(6, 5000), QByteArray::fromHex("010300640008"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !running(); }, 2000));
    EXPECT_TRUE(idleStateShown());
    EXPECT_EQ(ui().外形框_自动发送->fillColor(), LampWidget::NO_FILL);
    EXPECT_EQ(ui().超级编辑框1->wholeText(), "01 03 10 00 00 25\r\n01 03 00 64 00 08\r\n");
    EXPECT_EQ(sentBytes(1, INTERVAL_MS * 2), QByteArray());
}

TEST_F(AutoSenderTest, LoopsUntilStoppedAndLoopCanBeTickedDuringTheLastPass)
{
    setList("11\n22");
    click();
    EXPECT_EQ(sentBytes(1, 5000), QByteArray("\x11"));
    ui().选择框_循环->click(); // during the last pass: starts over instead of stopping
    EXPECT_EQ(sentBytes(1, 5000), QByteArray("\x22"));
    EXPECT_EQ(sentBytes(1, 5000), QByteArray("\x11"));
    EXPECT_EQ(sentBytes(1, 5000), QByteArray("\x22"));
    EXPECT_TRUE(running());
    click();
    EXPECT_TRUE(idleStateShown());
    EXPECT_EQ(sentBytes(1, INTERVAL_MS * 2), QByteArray());
}

TEST_F(AutoSenderTest, AnEmptyLinePausesOneTick)
{
    setList("11\n\n22\n");
    QElapsedTimer clock;
    clock.start();
    click();
    EXPECT_EQ(state.autoLines, (std::vector<std::string>{"11", "", "22"}));
    EXPECT_EQ(sentBytes(1, 5000), QByteArray("\x11"));
    EXPECT_EQ(sentBytes(1, 5000), QByteArray("\x22"));
    // The third tick sends it: the second sent nothing. Timers never fire much early.
    EXPECT_GE(clock.elapsed(), 3 * INTERVAL_MS * 9 / 10);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !running(); }, 2000));
}

TEST_F(AutoSenderTest, AnnotatedLinesSendTheirFrameAndEchoWhole)
{
    setList("01 03 10 00 00 25 D1 80  → 1\nEA 05 05 BC  ← 5");
    click();
    EXPECT_EQ(sentBytes(8, 5000), QByteArray::fromHex("01031000 0025D180"));
    EXPECT_EQ(sentBytes(4, 5000), QByteArray::fromHex("EA0505BC"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !running(); }, 2000));
    EXPECT_EQ(ui().超级编辑框1->wholeText(), gbk("01 03 10 00 00 25 D1 80  → 1\r\nEA 05 05 BC  ← 5\r\n"));
    EXPECT_EQ(state.autoCurrentLine, gbk("EA 05 05 BC  ← 5"));
}

TEST_F(AutoSenderTest, AShortLineWithAnArrowGoesWhole)
{
    ui().单选框_ASCII发送->click();
    setList("AB→");
    click();
    EXPECT_EQ(sentBytes(4, 5000), QByteArray("AB\xA1\xFA"));
}

TEST_F(AutoSenderTest, EmptyListOnlyShowsTheHint)
{
    setList("11");
    click();
    ASSERT_TRUE(running());
    setList("   ");
    click(); // "停止发送" with an emptied list: the hint, and it goes on
    EXPECT_TRUE(running());
    EXPECT_FALSE(idleStateShown());
    EXPECT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }, 2000));
    EXPECT_EQ(QToolTip::text(), QStringLiteral("请输入要自动发送的数据，一行为一条数据！"));
    QToolTip::hideText();
}

TEST_F(AutoSenderTest, ATypedIntervalIsTakenAsTypedAndNotStored)
{
    ui().组合框_毫秒->setEditText(QString());
    QTest::keyClicks(ui().组合框_毫秒, QStringLiteral("2"));
    QTest::keyClick(ui().组合框_毫秒, Qt::Key_Return);
    EXPECT_EQ(ui().组合框_毫秒->currentText(), QStringLiteral("2"));
    EXPECT_EQ(ui().组合框_毫秒->count(), 7);
    setList("11");
    click();
    EXPECT_EQ(window->时钟Vorn发送.interval(), 2);
    click();
    EXPECT_EQ(store().read(settingskeys::moduleSection(), settingskeys::autoSendIntervalKey(), QStringLiteral("none")),
              QStringLiteral("none"));
}

TEST_F(AutoSenderTest, AnIntervalWithoutDigitsRunsWithoutTicks)
{
    ui().组合框_毫秒->setEditText(QStringLiteral("abc"));
    setList("11");
    click();
    EXPECT_TRUE(running());
    EXPECT_FALSE(window->时钟Vorn发送.isActive());
    EXPECT_EQ(sentBytes(1, INTERVAL_MS * 2), QByteArray());
    click();
    EXPECT_FALSE(running());
}

TEST_F(AutoSenderTest, APortThatCannotOpenKeepsItIdle)
{
    qputenv("TAVLO_PORTS", "COM207=/dev/tavlo-no-such-device");
    window.reset();
    open();
    ui().组合框_端口->setCurrentText(QStringLiteral("COM207"));
    ui().编辑框_循环->setPlainText(QStringLiteral("11"));
    click();
    EXPECT_EQ(ui().按钮_自动发送->text(), QStringLiteral("自动发送"));
    EXPECT_EQ(ui().超级编辑框1->wholeText(), gbk("  → 端口打开失败！可能被其他程序占用。\r\n"));
}

TEST_F(AutoSenderTest, APulledDeviceStopsIt)
{
    setList("11");
    ui().选择框_循环->setChecked(true);
    click();
    ASSERT_TRUE(running());
    pty.closeMaster();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !running(); }, 5000));
    EXPECT_TRUE(idleStateShown());
}

TEST_F(AutoSenderTest, TheArrowLabelShowsTheListInGreyOverTheSelection)
{
    ui().超级编辑框1->setWholeText("keep this");
    ui().超级编辑框1->select(5, 4);
    setList("A 1\nB");
    QTest::mouseClick(ui().透明标签1, Qt::LeftButton);
    EXPECT_EQ(ui().超级编辑框1->wholeText(), "keep \r\nA 1\r\nB");
    QTextCursor c(ui().超级编辑框1->document());
    c.setPosition(8);
    EXPECT_EQ(c.charFormat().foreground().color(), QColor(0x80, 0x80, 0x80));
}

// The batch generator's Vorn lines for addresses 1..3, handed over and polled.
TEST_F(AutoSenderTest, PollsTheLinesOfTheBatchGenerator)
{
    SettingsStore s = store();
    BatchGenerator generator(s, ui().编辑框_循环, ui().CRC选择框, window.get());
    generator.findChild<QComboBox *>(QStringLiteral("组合框_地址起"))->setEditText(QStringLiteral("1"));
    generator.findChild<QComboBox *>(QStringLiteral("组合框_地址终"))->setEditText(QStringLiteral("3"));
    generator.findChild<QPushButton *>(QStringLiteral("按钮_生成"))->click();
    ui().CRC选择框->setChecked(true);
    generator.findChild<QPushButton *>(QStringLiteral("按钮_加入"))->click();
    EXPECT_FALSE(ui().CRC选择框->isChecked());

    click();
    for (int address = 1; address <= 3; ++address) {
        const std::string frame = "0" + std::to_string(address) + " 03 10 00 00 25";
        const QByteArray expected = QByteArray::fromHex(QByteArray::fromStdString(frame + " " + HexCrc16(frame)));
        EXPECT_EQ(sentBytes(8, 5000), expected) << "address " << address;
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return !running(); }, 2000));
    EXPECT_EQ(text::splitText(ui().超级编辑框1->wholeText(), "\r\n").back(), gbk("03 03 10 00 00 25 33 81  → 3"));
}
