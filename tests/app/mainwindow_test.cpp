#include "app/logview.h"
#include "app/mainwindowfixture.h"
#include "settings/settingskeys.h"
#include "support/gbk.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>

using namespace settingskeys;

namespace {

QString comboText(QComboBox *c) { return c->currentText(); }

} // namespace

TEST_F(MainWindowTest, FirstStartShowsTheDefaults)
{
    open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tavlo串口调试v2.36"));
    EXPECT_EQ(ui().组合框_端口->currentIndex(), ui().组合框_端口->count() > 0 ? 0 : -1);
    EXPECT_EQ(comboText(ui().组合框_波特率), QStringLiteral("9600"));
    EXPECT_EQ(comboText(ui().组合框_校验位), QStringLiteral("N 无"));
    EXPECT_EQ(comboText(ui().组合框_数据位), QStringLiteral("8"));
    EXPECT_EQ(comboText(ui().组合框_停止位), QStringLiteral("1"));
    EXPECT_EQ(comboText(ui().组合框_毫秒), QStringLiteral("500"));
    EXPECT_EQ(ui().编辑框1->text(), QStringLiteral("50"));
    EXPECT_EQ(state.lineBreakMs, 50);
    EXPECT_TRUE(ui().选择框_自动换行->isChecked());
    EXPECT_FALSE(ui().CRC反->isChecked());
    EXPECT_TRUE(ui().CRC选择框->isChecked());
    EXPECT_TRUE(ui().单选框_16发送->isChecked());
    EXPECT_TRUE(ui().单选框_16显示->isChecked());
    EXPECT_FALSE(ui().窗口最前选择框->isChecked());
    EXPECT_EQ(ui().编辑框_发送->text(), QStringLiteral("01 03 10 00 00 25"));
    EXPECT_EQ(ui().编辑框_循环->toPlainText(), QString());
    EXPECT_EQ(window->statusPart(0)->text(), QStringLiteral("RX:0"));
    EXPECT_EQ(window->statusPart(1)->text(), QStringLiteral("TX:0"));
    EXPECT_EQ(window->statusPart(0)->toolTip(), QStringLiteral("接收字节数"));
    EXPECT_EQ(window->statusPart(1)->toolTip(), QStringLiteral("发送字节数"));
    EXPECT_FALSE(window->时钟_换行.isActive());
    EXPECT_FALSE(window->时钟Vorn发送.isActive());

    // 600 x 536, placed where the 727 x 536 design-size window is centred.
    EXPECT_EQ(window->size(), QSize(600, 536));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(window->pos(), QPoint((screen.width() - 727) / 2, (screen.height() - 536) / 2));

    // The log's formats are in their 11-point colours from the start.
    EXPECT_EQ(state.txFormat.sizePt, 11);
    EXPECT_EQ(state.rxFormat.color, 0xFF0000u);
    EXPECT_EQ(state.loopFormat.color, 0x808080u);
    EXPECT_EQ(state.txFormat.color, 0x008000u);
}

TEST_F(MainWindowTest, LayoutFollowsTheWindowSize)
{
    open();
    window->resize(727, 536);
    EXPECT_EQ(ui().编辑框_发送->width(), 507);
    EXPECT_EQ(ui().按钮_发送->x(), 519);
    EXPECT_EQ(ui().分组框1->x(), 586);
    EXPECT_EQ(ui().分组框3->x(), 586);
    EXPECT_EQ(ui().图片框1->width(), 579);
    EXPECT_EQ(ui().超级编辑框1->size(), QSize(581, 379));
    EXPECT_EQ(ui().分组框2->y(), 420);
    EXPECT_EQ(ui().分组框2->width(), 715);
    EXPECT_EQ(ui().编辑框_循环->width(), 367);
    EXPECT_EQ(ui().图片框_分组->x(), 385);
    // Right panels keep their size and tops.
    EXPECT_EQ(ui().分组框1->geometry(), QRect(586, 2, 131, 174));
    EXPECT_EQ(ui().分组框3->geometry(), QRect(586, 173, 131, 251));

    window->showMaximized();
    QTest::qWait(50);
    EXPECT_EQ(ui().编辑框_发送->width(), window->width() - 220);
    window->showNormal();
    QTest::qWait(50);
    EXPECT_EQ(ui().编辑框_发送->width(), window->width() - 220);
}

TEST_F(MainWindowTest, SettingsWrittenByOneRunComeBackInTheNext)
{
    open();
    ui().组合框_波特率->setCurrentIndex(9);
    emit ui().组合框_波特率->activated(9);
    ui().组合框_校验位->setCurrentIndex(2);
    emit ui().组合框_校验位->activated(2);
    ui().组合框_毫秒->setCurrentIndex(0);
    emit ui().组合框_毫秒->activated(0);
    ui().CRC反->click();
    ui().选择框_自动换行->click();
    ui().编辑框_发送->setText(QStringLiteral("0a 0b 中"));
    ui().编辑框_循环->setPlainText(QStringLiteral("A\nB"));
    ui().按钮_打开串口->click(); // stores the send text and the loop list, whatever the port does
    window->resize(650, 500);
    window->move(40, 30);
    closeWindow();

    EXPECT_EQ(store().readLoopFile(), "A\r\nB");
    state = SharedState();
    open();
    EXPECT_EQ(comboText(ui().组合框_波特率), QStringLiteral("115200"));
    EXPECT_EQ(comboText(ui().组合框_校验位), QStringLiteral("E 偶"));
    EXPECT_EQ(comboText(ui().组合框_毫秒), QStringLiteral("200"));
    EXPECT_TRUE(ui().CRC反->isChecked());
    EXPECT_FALSE(ui().选择框_自动换行->isChecked());
    EXPECT_EQ(ui().编辑框_发送->text(), QStringLiteral("0a 0b 中"));
    EXPECT_EQ(ui().编辑框_循环->toPlainText(), QStringLiteral("A\nB"));
    EXPECT_EQ(window->size(), QSize(650, 500));
    EXPECT_EQ(window->pos(), QPoint(40, 30));
    EXPECT_EQ(state.txCount, 0);
}

TEST_F(MainWindowTest, RestoreClampsAndChecksStoredValues)
{
    const QSize screen = QGuiApplication::primaryScreen()->size();
    SettingsStore s = store();
    s.writeInt(sizeSection(), widthKey(), 30);
    s.writeInt(sizeSection(), heightKey(), 10);
    s.writeInt(positionSection(), topKey(), screen.height() - 51);
    s.writeInt(positionSection(), leftKey(), screen.width() - 50);
    s.write(lineBreakSection(), lineBreakKey(), QStringLiteral("1"));
    s.write(crcSection(), crcSwappedKey(), QStringLiteral("真"));
    s.writeInt(portSection(), baudRateKey(), 77);
    s.writeInt(portSection(), parityKey(), -1);
    s.write(lineBreakIntervalSection(), lineBreakIntervalKey(), QStringLiteral("１００ms"));
    s.writeLoopFile(std::string("01 03\r\n02\0garbage", 17));
    open();
    EXPECT_EQ(window->size(), QSize(60, 60));
    EXPECT_EQ(window->y(), screen.height() - 51);                // below the screen height - 50: applied
    EXPECT_EQ(window->x(), (screen.width() - 727) / 2);         // at the screen width - 50: not applied
    EXPECT_FALSE(ui().选择框_自动换行->isChecked());
    EXPECT_TRUE(ui().CRC反->isChecked());
    EXPECT_EQ(comboText(ui().组合框_波特率), QStringLiteral("115200")); // past the end: the last item
    EXPECT_EQ(ui().组合框_校验位->currentIndex(), -1);
    EXPECT_EQ(comboText(ui().组合框_校验位), QString());
    EXPECT_EQ(ui().编辑框1->text(), QStringLiteral("１００ms"));
    EXPECT_EQ(state.lineBreakMs, 100);
    EXPECT_EQ(ui().编辑框_循环->toPlainText(), QStringLiteral("01 03\n02"));
}

TEST_F(MainWindowTest, EmptyFlagsAndZeroPlacesKeepTheirDefaultsOff)
{
    SettingsStore s = store();
    s.write(lineBreakSection(), lineBreakKey(), QString());
    s.writeInt(positionSection(), topKey(), 0);
    s.writeInt(positionSection(), leftKey(), -5);
    open();
    EXPECT_FALSE(ui().选择框_自动换行->isChecked());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(window->pos(), QPoint((screen.width() - 727) / 2, (screen.height() - 536) / 2));
}

TEST_F(MainWindowTest, ClosingMaximizedKeepsTheStoredGeometry)
{
    SettingsStore s = store();
    s.writeInt(sizeSection(), widthKey(), 640);
    open();
    window->showMaximized();
    QTest::qWait(50);
    closeWindow();
    EXPECT_EQ(s.read(sizeSection(), widthKey()), QStringLiteral("640"));
    EXPECT_EQ(s.read(positionSection(), topKey(), QStringLiteral("missing")), QStringLiteral("missing"));
}

TEST_F(MainWindowTest, AlwaysOnTopFollowsTheCheckBox)
{
    open();
    ui().窗口最前选择框->click();
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(window->isVisible());
    ui().窗口最前选择框->click();
    EXPECT_FALSE(window->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(MainWindowTest, TheLogMenuHoldsItsItemsInOrder)
{
    open();
    QStringList captions;
    for (QAction *a : window->logMenu()->actions())
        captions << a->text();
    EXPECT_EQ(captions, (QStringList{QStringLiteral("合并转10进制"), QStringLiteral("打开计算窗口"), QStringLiteral("清空"),
                                     QStringLiteral("删除"), QStringLiteral("全选"), QStringLiteral("剪切"),
                                     QStringLiteral("复制"), QStringLiteral("粘贴")}));
    EXPECT_EQ(window->logMenu()->title(), QStringLiteral("菜单"));
}
