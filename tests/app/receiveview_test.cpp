#include "app/logview.h"
#include "app/mainwindowfixture.h"
#include "app/receiveview.h"
#include "support/gbk.h"

#include <QToolTip>

namespace {

class ReceiveViewTest : public PtyWindowTest
{
protected:
    void SetUp() override
    {
        PtyWindowTest::SetUp();
        ui().编辑框1->setText(QStringLiteral("%1").arg(INTERVAL_MS));
        openPort();
    }
    void device(const QByteArray &bytes) { ASSERT_TRUE(pty.writeMaster(bytes)); }

    // Generous: the machines running the tests are shared and slow.
    static const int INTERVAL_MS = 300;
};

} // namespace

TEST_F(ReceiveViewTest, OneBurstIsOneLine)
{
    std::vector<std::string> frames;
    QObject::connect(&window->receiveView(), &ReceiveView::frameClosed, [&](const std::string &f) { frames.push_back(f); });
    state.calcWindowOpen = 1;
    device(QByteArray("\x01\x03\x02\x00\x0A", 5));
    EXPECT_TRUE(logReaches("01 03 02 00 0A "));
    EXPECT_TRUE(window->时钟_换行.isActive());
    EXPECT_TRUE(logReaches("01 03 02 00 0A \r\n"));
    EXPECT_FALSE(window->时钟_换行.isActive());
    EXPECT_EQ(state.rxCount, 5);
    EXPECT_EQ(window->statusPart(0)->text(), QStringLiteral("RX:5"));
    EXPECT_EQ(frames, std::vector<std::string>{"01 03 02 00 0A "});
    EXPECT_EQ(state.rx.rxFrameText, "");

    QTextCursor c(ui().超级编辑框1->document());
    c.setPosition(2);
    EXPECT_EQ(c.charFormat().foreground().color(), QColor(0, 0, 0xFF));
}

TEST_F(ReceiveViewTest, TheBreakComesOneIntervalAfterTheFirstByte)
{
    device("\x01");
    QTest::qWait(INTERVAL_MS / 3);
    device("\x02");
    EXPECT_TRUE(logReaches("01 02 \r\n"));
    device("\x03");
    EXPECT_TRUE(logReaches("01 02 \r\n03 \r\n"));
}

TEST_F(ReceiveViewTest, TextDisplayAssemblesDoubleByteCharacters)
{
    ui().单选框_ASCII显示->click();
    ui().选择框_自动换行->setChecked(false);
    device("\xD6\xD0");
    EXPECT_TRUE(logReaches(gbk("中")));
    device("\xD6");
    device("A");
    EXPECT_TRUE(logReaches(gbk("中A")));
    device(QByteArray("\xD0\x00", 2));
    EXPECT_TRUE(logReaches(gbk("中A中")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return state.rxCount == 6; }, 2000));
}

TEST_F(ReceiveViewTest, WithoutAutomaticBreaksTheFrameKeepsGrowing)
{
    ui().选择框_自动换行->click();
    device("\x01");
    EXPECT_TRUE(logReaches("01 "));
    QTest::qWait(INTERVAL_MS + 200);
    device("\x02");
    EXPECT_TRUE(logReaches("01 02 "));
    QTest::qWait(INTERVAL_MS + 200);
    EXPECT_EQ(ui().超级编辑框1->wholeText(), "01 02 ");
    EXPECT_EQ(state.rx.rxFrameText, "01 02 ");
}

TEST_F(ReceiveViewTest, IntervalTextIsReadLikeAnInteger)
{
    ui().编辑框1->setText(QStringLiteral("１００"));
    EXPECT_EQ(state.lineBreakMs, 100);
    ui().编辑框1->setText(QStringLiteral("abc"));
    EXPECT_EQ(state.lineBreakMs, 0);
    device("\x05");
    EXPECT_TRUE(logReaches("05 "));
    EXPECT_FALSE(window->时钟_换行.isActive()); // no positive interval: no break
}

TEST_F(ReceiveViewTest, ReceivedTextGoesToTheCaretWhileTheViewScrolls)
{
    ui().选择框_自动换行->setChecked(false);
    ui().超级编辑框1->setWholeText("ab");
    ui().超级编辑框1->select(1, 0);
    device("\x10");
    EXPECT_TRUE(logReaches("a10 b"));
}

TEST_F(ReceiveViewTest, AnEchoBeforeTheBreakLeavesAnEmptyLine)
{
    ui().CRC选择框->setChecked(false);
    ui().编辑框_发送->setText(QStringLiteral("AA"));
    device("\x01");
    EXPECT_TRUE(logReaches("01 "));
    ui().按钮_发送->click();
    EXPECT_TRUE(logReaches("01 AA\r\n\r\n"));
}

TEST_F(ReceiveViewTest, PressingIntoTheIntervalBoxShowsItsTip)
{
    QTest::mouseClick(ui().编辑框1, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }, 2000));
    EXPECT_EQ(QToolTip::text(), QStringLiteral("换行间隔：毫秒"));
    QToolTip::hideText();
}
