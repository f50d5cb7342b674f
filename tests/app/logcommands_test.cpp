#include "app/logcommands.h"
#include "app/logview.h"
#include "app/mainwindowfixture.h"
#include "app/receiveview.h"
#include "support/gbk.h"

#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QTextBlock>
#include <QToolTip>

namespace {

std::string fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "(unreadable)";
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

class LogCommandsTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        open();
    }
    LogCommands &commands() { return *window->findChild<LogCommands *>(); }
    LogView &log() { return *ui().超级编辑框1; }
    // The point between two characters, in the viewport.
    QPoint edgeOf(int position)
    {
        QTextCursor c(log().document());
        c.setPosition(position);
        return log().cursorRect(c).center();
    }
    void drag(int from, int to)
    {
        QWidget *viewport = log().viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, edgeOf(from));
        QTest::mouseMove(viewport, edgeOf(to));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, edgeOf(to));
    }
};

} // namespace

TEST_F(LogCommandsTest, MenuEnablesItsItemsAtEachOpening)
{
    QMenu &menu = *window->logMenu();
    const QList<QAction *> items = menu.actions(); // 合并 计算 清空 删除 全选 剪切 复制 粘贴
    const struct {
        const char *log;
        int selectLength;
        const char *clipboard; // nullptr: no text on the clipboard
        std::vector<bool> enabled;
    } cases[] = {
        {"", 0, "01", {false, true, false, false, false, false, false, true}},
        {"", 0, nullptr, {false, true, false, false, false, false, false, false}},
        {"01 03\r\n", 2, nullptr, {true, true, true, true, true, true, true, false}},
        {"01 03\r\n", 0, "01", {false, true, true, false, true, false, false, true}},
        {"\r\n", 0, nullptr, {false, true, true, false, true, false, false, false}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "log \"" << c.log << "\" selection " << c.selectLength);
        log().setWholeText(c.log);
        log().select(0, c.selectLength);
        if (c.clipboard)
            QGuiApplication::clipboard()->setText(QString::fromLatin1(c.clipboard));
        else
            QGuiApplication::clipboard()->clear();
        // Through the window, as the system delivers it, so that Qt makes the context-menu event.
        QTest::mouseClick(window->windowHandle(), Qt::RightButton, {}, log().viewport()->mapTo(window.get(), QPoint(5, 5)));
        ASSERT_TRUE(QTest::qWaitFor([&] { return menu.isVisible(); }, 2000));
        std::vector<bool> enabled;
        for (QAction *a : items)
            enabled.push_back(a->isEnabled());
        EXPECT_EQ(enabled, c.enabled);
        menu.hide();
    }
}

TEST_F(LogCommandsTest, CopyCutPasteDeleteAndSelectAll)
{
    log().setWholeText("01 03\r\n0A FF");
    log().select(0, 2);
    ui().菜单_复制->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("01"));
    EXPECT_EQ(log().wholeText(), "01 03\r\n0A FF");

    log().select(3, 4);
    ui().菜单_剪切->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("03\r\n0"));
    EXPECT_EQ(log().wholeText(), "01 A FF");

    log().setInsertFormat(state.txFormat);
    ui().菜单_粘贴->trigger();
    EXPECT_EQ(log().wholeText(), "01 03\r\n0A FF");
    QTextCursor c(log().document());
    c.setPosition(4); // inside the pasted "03"
    EXPECT_EQ(c.charFormat().foreground().color(), QColor(0, 0x80, 0));

    log().select(0, 3);
    ui().菜单_删除->trigger();
    EXPECT_EQ(log().wholeText(), "03\r\n0A FF");

    ui().菜单_全选->trigger();
    EXPECT_EQ(log().selectedText(), "03\r\n0A FF");
    QGuiApplication::clipboard()->setText(QStringLiteral("中"));
    ui().菜单_粘贴->trigger(); // replaces the selection
    EXPECT_EQ(log().wholeText(), gbk("中"));
}

TEST_F(LogCommandsTest, PastedLongLinesStayInShortBlocks)
{
    const QString line(3 * LogView::MAX_BLOCK_CHARS, QLatin1Char('7'));
    QGuiApplication::clipboard()->setText(line);
    ui().菜单_粘贴->trigger();
    EXPECT_GE(log().document()->blockCount(), 3);
    log().setFocus();
    QTest::keyClick(&log(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(log().wholeText(), (line + line).toStdString());
    EXPECT_GE(log().document()->blockCount(), 6);
    for (QTextBlock b = log().document()->begin(); b.isValid(); b = b.next())
        EXPECT_LE(b.text().size(), LogView::MAX_BLOCK_CHARS);
}

TEST_F(LogCommandsTest, ModeCoupling)
{
    const struct {
        std::vector<const char *> clicks;
        bool hexSend, hexDisplay, crcChecked, crcEnabled;
    } cases[] = {
        {{}, true, true, true, true},
        {{"单选框_ASCII发送"}, false, false, false, false},
        {{"单选框_ASCII发送", "单选框_16发送"}, true, true, false, true},
        {{"单选框_ASCII发送", "单选框_16显示"}, false, true, false, false},
        {{"单选框_ASCII显示"}, true, false, true, true},
        {{"单选框_ASCII显示", "单选框_16发送"}, true, true, true, true},
        {{"单选框_ASCII发送", "单选框_16显示", "单选框_ASCII发送"}, false, false, false, false},
    };
    for (const auto &c : cases) {
        std::string trace;
        for (const char *name : c.clicks)
            trace += std::string(name) + " ";
        SCOPED_TRACE(trace);
        closeWindow();
        open();
        for (const char *name : c.clicks)
            QTest::mouseClick(window->findChild<QRadioButton *>(QString::fromUtf8(name)), Qt::LeftButton);
        EXPECT_EQ(ui().单选框_16发送->isChecked(), c.hexSend);
        EXPECT_EQ(ui().单选框_ASCII发送->isChecked(), !c.hexSend);
        EXPECT_EQ(ui().单选框_16显示->isChecked(), c.hexDisplay);
        EXPECT_EQ(ui().单选框_ASCII显示->isChecked(), !c.hexDisplay);
        EXPECT_EQ(ui().CRC选择框->isChecked(), c.crcChecked);
        EXPECT_EQ(ui().CRC选择框->isEnabled(), c.crcEnabled);
    }
}

TEST_F(LogCommandsTest, OnlyClicksCoupleTheModes)
{
    ui().单选框_ASCII发送->setChecked(true);
    EXPECT_TRUE(ui().单选框_16显示->isChecked());
    EXPECT_TRUE(ui().CRC选择框->isChecked());
    EXPECT_TRUE(ui().CRC选择框->isEnabled());
}

TEST_F(LogCommandsTest, SaveDialogConfiguration)
{
    QFileDialog dialog;
    LogCommands::configureSaveDialog(dialog);
    const QStringList filters{QStringLiteral("文本文档（*.txt） (*.txt)"), QStringLiteral("word文档（*.doc） (*.doc)")};
    EXPECT_EQ(dialog.nameFilters(), filters);
    // The list shows the descriptions alone.
    EXPECT_TRUE(dialog.testOption(QFileDialog::HideNameFilterDetails));
    EXPECT_EQ(dialog.selectedNameFilter(), QStringLiteral("文本文档（*.txt）"));
    EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(QDir(dialog.directory()).canonicalPath(), QDir(QCoreApplication::applicationDirPath()).canonicalPath());
    EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("txt"));
    emit dialog.filterSelected(filters[1]);
    EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("doc"));
}

TEST_F(LogCommandsTest, SaveWritesTheLogAsGbkText)
{
    const QString path = dir() + QStringLiteral("/log.doc");
    ASSERT_TRUE(writeFile(path, QByteArray(5000, 'x')));
    const std::string longLine(3 * LogView::MAX_BLOCK_CHARS, '7');
    log().setInsertFormat(state.txFormat);
    log().insertAtCaret(std::string("01 03 10 00 00 25 D1 80\r\n"));
    log().setInsertFormat(state.rxFormat);
    log().insertAtCaret(gbk("01 03 02 00 0A \r\n中文\r\n") + longLine);

    QWidget *parentSeen = nullptr;
    commands().setSavePathChooser([&](QWidget *parent) {
        parentSeen = parent;
        return path;
    });
    QTest::mouseClick(ui().按钮_保存, Qt::LeftButton);
    EXPECT_EQ(parentSeen, window.get());
    EXPECT_EQ(fileBytes(path), "01 03 10 00 00 25 D1 80\r\n" + gbk("01 03 02 00 0A \r\n中文\r\n") + longLine);
}

TEST_F(LogCommandsTest, CancelledSaveWritesNothing)
{
    log().setWholeText("01");
    commands().setSavePathChooser([](QWidget *) { return QString(); });
    QTest::mouseClick(ui().按钮_保存, Qt::LeftButton);
    EXPECT_TRUE(QDir(dir()).entryList({QStringLiteral("*.txt"), QStringLiteral("*.doc")}, QDir::Files).isEmpty());
}

TEST_F(LogCommandsTest, AFailedSaveLeavesTheOldFile)
{
    // A name so long that the new file beside it cannot be named: the write
    // fails (also for root), and the old content must survive.
    const QString path = dir() + QStringLiteral("/") + QString(246, QLatin1Char('L')) + QStringLiteral(".txt");
    ASSERT_TRUE(writeFile(path, "old content"));
    log().setWholeText("01 02");
    commands().setSavePathChooser([&](QWidget *) { return path; });
    QTest::mouseClick(ui().按钮_保存, Qt::LeftButton);
    EXPECT_EQ(fileBytes(path), "old content");
}

TEST_F(LogCommandsTest, SavingFollowsALinkTheUserPickedAndKeepsPermissions)
{
    const QString target = dir() + QStringLiteral("/target.txt");
    const QString link = dir() + QStringLiteral("/link.txt");
    ASSERT_TRUE(writeFile(target, "old content"));
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    ASSERT_TRUE(QFile::link(target, link));
    log().setWholeText("01 02");
    commands().setSavePathChooser([&](QWidget *) { return link; });
    QTest::mouseClick(ui().按钮_保存, Qt::LeftButton);
    EXPECT_EQ(fileBytes(target), "01 02");
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(QFile::permissions(target) & QFileDevice::ReadOther);
}

TEST_F(LogCommandsTest, TokenTipAfterSelectingWithTheMouse)
{
    std::vector<std::string> tips;
    QString shown;
    QObject::connect(&commands().selectionTips(), &SelectionTipView::tipShown, [&](const std::string &t) {
        tips.push_back(t);
        shown = QToolTip::isVisible() ? QToolTip::text() : QString();
    });
    log().setWholeText("01 03 0A FF\r\n");
    drag(0, 11);
    ASSERT_EQ(log().selectedText(), "01 03 0A FF");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !tips.empty(); }, 2000));
    EXPECT_EQ(tips, std::vector<std::string>{gbk("16进制：      01       03       0A       FF \r\n"
                                                 "10进制：       1        3       10      255 \r\n"
                                                 " 2进制：00000001 00000011 00001010 11111111 ")});
    EXPECT_TRUE(shown.contains(QStringLiteral("00001010")));
}

TEST_F(LogCommandsTest, NoTokenTipWithoutASelection)
{
    std::vector<std::string> tips;
    QObject::connect(&commands().selectionTips(), &SelectionTipView::tipShown,
                     [&](const std::string &t) { tips.push_back(t); });
    log().setWholeText("01 03    0A FF");
    drag(5, 9);
    EXPECT_EQ(log().selectedText(), "    ");
    QWidget *viewport = log().viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, edgeOf(1));
    // A click inside a selection takes it away: no tip for what was selected.
    log().select(0, 5);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, edgeOf(2));
    QTest::qWait(50);
    EXPECT_EQ(log().selectedText(), "");
    EXPECT_TRUE(tips.empty());
}

TEST_F(LogCommandsTest, MergeShowsTheSelectionAsOneNumber)
{
    std::vector<std::string> tips;
    QObject::connect(&commands().selectionTips(), &SelectionTipView::tipShown,
                     [&](const std::string &t) { tips.push_back(t); });
    log().setWholeText("00 01\r\n00 00\r\n");
    log().select(0, 11);
    ui().菜单_合并转10进制->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !tips.empty(); }, 2000));
    EXPECT_EQ(tips, std::vector<std::string>{gbk("16进制：00010000\r\n10进制：65536")});
}

namespace {

class LogClearTest : public PtyWindowTest
{
protected:
    void SetUp() override
    {
        PtyWindowTest::SetUp();
        ui().编辑框1->setText(QStringLiteral("%1").arg(INTERVAL_MS));
        openPort();
    }
    // Generous: the machines running the tests are shared and slow.
    static const int INTERVAL_MS = 400;
};

} // namespace

TEST_F(LogClearTest, ClearDuringAFrameKeepsItsLineBreakAndFrame)
{
    std::vector<std::string> frames;
    QObject::connect(&window->receiveView(), &ReceiveView::frameClosed, [&](const std::string &f) { frames.push_back(f); });
    state.calcWindowOpen = 1;
    ui().编辑框_发送->setText(QStringLiteral("01 03"));
    ui().CRC选择框->setChecked(false);
    QTest::mouseClick(ui().按钮_发送, Qt::LeftButton);
    ASSERT_EQ(sentBytes(2), QByteArray("\x01\x03", 2));
    ASSERT_TRUE(pty.writeMaster(QByteArray("\x01\x02", 2)));
    ASSERT_TRUE(logReaches("01 03\r\n01 02 "));
    ASSERT_TRUE(window->时钟_换行.isActive());

    QTest::mouseClick(ui().清除显示按钮, Qt::LeftButton);
    EXPECT_EQ(ui().超级编辑框1->wholeText(), "");
    EXPECT_EQ(state.txCount, 0);
    EXPECT_EQ(state.rxCount, 0);
    EXPECT_EQ(window->statusPart(1)->text(), QStringLiteral("TX:0"));
    EXPECT_EQ(window->statusPart(0)->text(), QStringLiteral("RX:0"));
    EXPECT_EQ(state.rx.rxFrameText, "01 02 ");

    EXPECT_TRUE(logReaches("\r\n"));
    EXPECT_EQ(frames, std::vector<std::string>{"01 02 "});
    ASSERT_TRUE(pty.writeMaster("\x05"));
    EXPECT_TRUE(logReaches("\r\n05 "));
    EXPECT_EQ(window->statusPart(0)->text(), QStringLiteral("RX:1"));
}

TEST_F(LogClearTest, ClearKeepsAPendingLeadByte)
{
    QTest::mouseClick(ui().单选框_ASCII显示, Qt::LeftButton);
    ui().选择框_自动换行->setChecked(false);
    ASSERT_TRUE(pty.writeMaster("\xD6"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return state.rxCount == 1; }, 2000));
    ui().菜单_清空->trigger();
    ASSERT_TRUE(pty.writeMaster("\xD0"));
    EXPECT_TRUE(logReaches(gbk("中")));
}
