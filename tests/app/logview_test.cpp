#include "app/logview.h"
#include "support/gbk.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

namespace {

CharFormat green()
{
    CharFormat f;
    f.faceName = gbk("宋体");
    f.sizePt = 11;
    f.color = 0x008000;
    return f;
}

} // namespace

TEST(LogView, LineBreaksInAndOut)
{
    LogView log;
    log.insertAtCaret(std::string("01 03\r\n02"));
    log.insertAtCaret(std::string(" 04\r"));
    log.insertAtCaret(std::string("\nAB\nCD\r\n"));
    EXPECT_EQ(log.wholeText(), "01 03\r\n02 04\r\nAB\r\nCD\r\n");
    log.setWholeText("");
    EXPECT_EQ(log.wholeText(), "");
    log.insertAtCaret(gbk("中→"));
    EXPECT_EQ(log.wholeText(), gbk("中→"));
}

// A long line is held in short blocks, yet every read sees one line.
TEST(LogView, LongLinesReadBackWhole)
{
    LogView log;
    std::string expected;
    for (int i = 0; i < 3000; ++i) {
        const std::string chunk = std::to_string(i % 10) + "A ";
        log.insertAtCaret(chunk);
        expected += chunk;
    }
    log.insertAtCaret(std::string("\r\nnext"));
    expected += "\r\nnext";
    EXPECT_GT(log.document()->blockCount(), 6);
    for (QTextBlock b = log.document()->begin(); b.isValid(); b = b.next())
        EXPECT_LE(b.length(), LogView::MAX_BLOCK_CHARS + 1);
    EXPECT_TRUE(log.wholeText() == expected);

    log.selectAll();
    EXPECT_TRUE(log.selectedText() == expected);
    log.copy();
    EXPECT_TRUE(QApplication::clipboard()->text() == QString::fromLatin1(expected.c_str()));

    // A selection across block joins of one line and a real break.
    log.select(1020, 2000);
    EXPECT_TRUE(log.selectedText() == expected.substr(1020, 2000));
    const int characters = static_cast<int>(expected.size()) - 1; // "\r\n" is one character
    log.select(characters - 5, 5);
    EXPECT_EQ(log.selectedText(), "\r\nnext");
}

TEST(LogView, InsertReplacesTheSelectionAndTakesTheFormat)
{
    LogView log;
    log.insertAtCaret(std::string("hello world"));
    log.select(6, 5);
    log.setInsertFormat(green());
    log.insertAtCaret(std::string("there"));
    EXPECT_EQ(log.wholeText(), "hello there");
    QTextCursor c(log.document());
    c.setPosition(8);
    EXPECT_EQ(c.charFormat().foreground().color(), QColor(0, 0x80, 0));
    EXPECT_EQ(c.charFormat().fontPointSize(), 11);
    c.setPosition(3);
    EXPECT_NE(c.charFormat().foreground().color(), QColor(0, 0x80, 0));

    log.select(0, 6);
    log.deleteSelection();
    EXPECT_EQ(log.wholeText(), "there");
}

TEST(LogView, ScrollToBottomLeavesTheCaret)
{
    LogView log;
    log.resize(200, 100);
    log.show();
    for (int i = 0; i < 200; ++i)
        log.insertAtCaret(std::string("line\r\n"));
    log.select(2, 0);
    log.verticalScrollBar()->setValue(0);
    log.scrollToBottom();
    EXPECT_TRUE(QTest::qWaitFor([&] { return log.verticalScrollBar()->value() == log.verticalScrollBar()->maximum(); }, 2000));
    EXPECT_GT(log.verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(log.textCursor().position(), 2);
}
