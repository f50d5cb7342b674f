#include "app/sharedstate.h"
#include "calc/calculatorwindow.h"
#include "settings/settingskeys.h"
#include "settings/settingsstore.h"
#include "ui_calculatorwindow.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace sk = settingskeys;

namespace {

const QString DEFAULT_CHAIN_IN_BOX = QStringLiteral("+1000\n-1000\n*1000\n/1000");

struct ColumnControls
{
    QCheckBox *enabled;
    QComboBox *start;
    QComboBox *count;
    QLineEdit *hex;
    QPlainTextEdit *operations;
    QLineEdit *result;
};

// Controls found by their names, as a user of the form sees them.
ColumnControls columnOf(const QWidget *w, int index)
{
    static_assert(sk::CALC_COLUMN_COUNT == 4, "four columns of named controls");
    const char *names[4][6] = {
        {"选择框1", "组合框_1", "组合框_5", "编辑框161", "编辑框3", "编辑框8"},
        {"选择框2", "组合框_2", "组合框_6", "编辑框162", "编辑框4", "编辑框10"},
        {"选择框3", "组合框_3", "组合框_7", "编辑框163", "编辑框5", "编辑框11"},
        {"选择框4", "组合框_4", "组合框_8", "编辑框164", "编辑框6", "编辑框12"},
    };
    const char *const *n = names[index - 1];
    return {w->findChild<QCheckBox *>(QString::fromUtf8(n[0])),
            w->findChild<QComboBox *>(QString::fromUtf8(n[1])),
            w->findChild<QComboBox *>(QString::fromUtf8(n[2])),
            w->findChild<QLineEdit *>(QString::fromUtf8(n[3])),
            w->findChild<QPlainTextEdit *>(QString::fromUtf8(n[4])),
            w->findChild<QLineEdit *>(QString::fromUtf8(n[5]))};
}

void deletePendingWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

class CalculatorWindowTest : public ::testing::Test
{
protected:
    CalculatorWindow *open() { return CalculatorWindow::openOrRaise(m_slot, m_state, m_store, nullptr); }

    // Closed through the frame, then deleted as the event loop would.
    void closeAndDelete(CalculatorWindow *w)
    {
        ASSERT_TRUE(w->close());
        deletePendingWindows();
        ASSERT_TRUE(m_slot.isNull());
    }

    QString stored(const QString &section, const QString &key) const
    {
        return m_store.read(section, key, QStringLiteral("<missing>"));
    }

    void TearDown() override
    {
        delete m_slot.data();
        deletePendingWindows();
    }

    QTemporaryDir m_dir;
    SettingsStore m_store{m_dir.path()};
    SharedState m_state;
    QPointer<CalculatorWindow> m_slot;
};

} // namespace

TEST_F(CalculatorWindowTest, FirstOpeningDefaults)
{
    CalculatorWindow *w = open();
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->isWindow());
    EXPECT_TRUE(w->windowTitle().isEmpty());
    EXPECT_EQ(m_state.calcWindowOpen, 1);
    for (int i = 1; i <= sk::CALC_COLUMN_COUNT; ++i) {
        const ColumnControls c = columnOf(w, i);
        ASSERT_TRUE(c.enabled && c.start && c.count && c.hex && c.operations && c.result) << "column " << i;
        EXPECT_FALSE(c.enabled->isChecked()) << i;
        EXPECT_EQ(c.enabled->text(), QStringLiteral("计算"));
        EXPECT_FALSE(c.start->isEditable());
        ASSERT_EQ(c.start->count(), 30);
        ASSERT_EQ(c.count->count(), 5);
        for (int v = 0; v < 30; ++v)
            EXPECT_EQ(c.start->itemText(v), QString::number(v));
        for (int v = 0; v < 5; ++v)
            EXPECT_EQ(c.count->itemText(v), QString::number(v));
        EXPECT_EQ(c.start->currentText(), QStringLiteral("0")) << i;
        EXPECT_EQ(c.count->currentText(), QStringLiteral("0")) << i;
        EXPECT_TRUE(c.hex->text().isEmpty());
        EXPECT_TRUE(c.result->text().isEmpty());
        EXPECT_EQ(c.operations->toPlainText(), i == 4 ? DEFAULT_CHAIN_IN_BOX : QString()) << i;
    }
}

TEST_F(CalculatorWindowTest, ClosingStoresAndOpeningRestoresTheColumns)
{
    CalculatorWindow *w = open();
    ColumnControls c1 = columnOf(w, 1);
    c1.start->setCurrentIndex(4);
    c1.count->setCurrentIndex(2);
    c1.operations->clear();
    QTest::keyClicks(c1.operations, QStringLiteral("/1000"));
    QTest::keyClick(c1.operations, Qt::Key_Return);
    QTest::keyClicks(c1.operations, QStringLiteral("+5"));
    columnOf(w, 2).operations->setPlainText(QStringLiteral("*2#+1")); // "#" typed inside a line
    columnOf(w, 3).start->setCurrentIndex(-1);
    columnOf(w, 4).count->setCurrentIndex(4);
    QTest::mouseClick(columnOf(w, 2).enabled, Qt::LeftButton);
    ASSERT_TRUE(columnOf(w, 2).enabled->isChecked());

    closeAndDelete(w);
    EXPECT_EQ(m_state.calcWindowOpen, 0);
    const char *expectedIndexes[8] = {"4", "2", "0", "0", "-1", "0", "0", "4"};
    for (int i = 1; i <= sk::CALC_COLUMN_COUNT; ++i) {
        EXPECT_EQ(stored(sk::calcStartSection(), sk::calcStartKey(i)), QLatin1String(expectedIndexes[2 * i - 2])) << i;
        EXPECT_EQ(stored(sk::calcStartSection(), sk::calcCountKey(i)), QLatin1String(expectedIndexes[2 * i - 1])) << i;
    }
    EXPECT_EQ(stored(sk::calcOperationSection(), sk::calcOperationKey(1)), QStringLiteral("/1000#+5"));
    EXPECT_EQ(stored(sk::calcOperationSection(), sk::calcOperationKey(2)), QStringLiteral("*2#+1"));
    EXPECT_EQ(stored(sk::calcOperationSection(), sk::calcOperationKey(3)), QString());
    EXPECT_EQ(stored(sk::calcOperationSection(), sk::calcOperationKey(4)), QStringLiteral("+1000#-1000#*1000#/1000"));

    w = open();
    c1 = columnOf(w, 1);
    EXPECT_EQ(c1.start->currentText(), QStringLiteral("4"));
    EXPECT_EQ(c1.count->currentText(), QStringLiteral("2"));
    EXPECT_EQ(c1.operations->toPlainText(), QStringLiteral("/1000\n+5"));
    EXPECT_EQ(columnOf(w, 2).operations->toPlainText(), QStringLiteral("*2\n+1"));
    EXPECT_EQ(columnOf(w, 3).start->currentIndex(), -1);
    EXPECT_EQ(columnOf(w, 4).count->currentText(), QStringLiteral("4"));
    EXPECT_EQ(columnOf(w, 4).operations->toPlainText(), DEFAULT_CHAIN_IN_BOX);
    EXPECT_FALSE(columnOf(w, 2).enabled->isChecked()); // check boxes are never kept
}

TEST_F(CalculatorWindowTest, HandEditedIndexesAreClampedOrLeaveNoSelection)
{
    m_store.write(sk::calcStartSection(), sk::calcStartKey(1), QStringLiteral("99"));
    m_store.write(sk::calcStartSection(), sk::calcCountKey(1), QStringLiteral(" 7x"));
    m_store.write(sk::calcStartSection(), sk::calcStartKey(2), QStringLiteral("-3"));
    m_store.write(sk::calcStartSection(), sk::calcCountKey(2), QStringLiteral("abc"));
    m_store.write(sk::calcStartSection(), sk::calcStartKey(3), QStringLiteral("29"));
    m_store.write(sk::calcStartSection(), sk::calcCountKey(3), QStringLiteral("-1"));
    CalculatorWindow *w = open();
    EXPECT_EQ(columnOf(w, 1).start->currentText(), QStringLiteral("29"));
    EXPECT_EQ(columnOf(w, 1).count->currentText(), QStringLiteral("4"));
    EXPECT_EQ(columnOf(w, 2).start->currentIndex(), -1);
    EXPECT_EQ(columnOf(w, 2).count->currentText(), QStringLiteral("0"));
    EXPECT_EQ(columnOf(w, 3).start->currentText(), QStringLiteral("29"));
    EXPECT_EQ(columnOf(w, 3).count->currentIndex(), -1);
    closeAndDelete(w);
    EXPECT_EQ(stored(sk::calcStartSection(), sk::calcStartKey(2)), QStringLiteral("-1"));
    EXPECT_EQ(stored(sk::calcStartSection(), sk::calcCountKey(3)), QStringLiteral("-1"));
}

TEST_F(CalculatorWindowTest, EmptiedLastBoxGetsTheDefaultChainBackOthersStayEmpty)
{
    CalculatorWindow *w = open();
    columnOf(w, 1).operations->setPlainText(QStringLiteral("+1"));
    closeAndDelete(w);

    w = open();
    EXPECT_EQ(columnOf(w, 1).operations->toPlainText(), QStringLiteral("+1"));
    columnOf(w, 1).operations->clear();
    columnOf(w, 4).operations->clear();
    closeAndDelete(w);
    EXPECT_EQ(stored(sk::calcOperationSection(), sk::calcOperationKey(1)), QString());
    EXPECT_EQ(stored(sk::calcOperationSection(), sk::calcOperationKey(4)), QString());

    w = open();
    EXPECT_EQ(columnOf(w, 1).operations->toPlainText(), QString());
    EXPECT_EQ(columnOf(w, 4).operations->toPlainText(), DEFAULT_CHAIN_IN_BOX);
}

TEST_F(CalculatorWindowTest, SecondOpenRaisesTheSameWindowWithoutRereading)
{
    CalculatorWindow *w = open();
    columnOf(w, 1).operations->setPlainText(QStringLiteral("*7"));
    m_store.write(sk::calcStartSection(), sk::calcStartKey(1), QStringLiteral("9"));
    w->showMinimized();
    ASSERT_TRUE(w->isMinimized());

    EXPECT_EQ(open(), w);
    EXPECT_FALSE(w->isMinimized());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(columnOf(w, 1).operations->toPlainText(), QStringLiteral("*7"));
    EXPECT_EQ(columnOf(w, 1).start->currentText(), QStringLiteral("0"));
    int windows = 0;
    for (QWidget *top : QApplication::topLevelWidgets())
        windows += qobject_cast<CalculatorWindow *>(top) != nullptr;
    EXPECT_EQ(windows, 1);
    EXPECT_EQ(m_state.calcWindowOpen, 1);
}

// Between its closing and its deletion a window is gone for good: opening
// again makes a new one, and the old one's deletion leaves the flag alone.
TEST_F(CalculatorWindowTest, ReopenBeforeTheClosedWindowIsDeleted)
{
    CalculatorWindow *old = open();
    QPointer<CalculatorWindow> oldGuard(old);
    columnOf(old, 2).start->setCurrentIndex(6);
    ASSERT_TRUE(old->close());
    EXPECT_EQ(m_state.calcWindowOpen, 0);

    CalculatorWindow *w = open();
    EXPECT_NE(w, old);
    EXPECT_EQ(columnOf(w, 2).start->currentText(), QStringLiteral("6"));
    EXPECT_EQ(m_state.calcWindowOpen, 1);
    deletePendingWindows();
    EXPECT_TRUE(oldGuard.isNull());
    EXPECT_EQ(m_slot.data(), w);
    EXPECT_EQ(m_state.calcWindowOpen, 1);
    // The old window's deletion did not store its columns over the new ones.
    columnOf(w, 2).start->setCurrentIndex(8);
    closeAndDelete(w);
    EXPECT_EQ(stored(sk::calcStartSection(), sk::calcStartKey(2)), QStringLiteral("8"));
}

TEST_F(CalculatorWindowTest, ProcessFrameFillsCheckedColumnsOnly)
{
    CalculatorWindow *w = open();
    const ColumnControls c1 = columnOf(w, 1), c2 = columnOf(w, 2), c3 = columnOf(w, 3), c4 = columnOf(w, 4);
    c1.start->setCurrentIndex(4);
    c1.count->setCurrentIndex(2);
    c1.operations->setPlainText(QStringLiteral("/1000"));
    c2.start->setCurrentIndex(1);
    c2.count->setCurrentIndex(2);
    c2.hex->setText(QStringLiteral("old hex"));
    c2.result->setText(QStringLiteral("old result"));
    c3.start->setCurrentIndex(4);
    c3.count->setCurrentIndex(2);
    c3.operations->setPlainText(QStringLiteral("*3\n/7")); // two steps, not "*3" with a tail
    c4.start->setCurrentIndex(8);
    c4.count->setCurrentIndex(4);
    for (const ColumnControls &c : {c1, c3, c4})
        QTest::mouseClick(c.enabled, Qt::LeftButton);

    w->processFrame("01 03 04 00 0A 00 14 3B F2 ");
    EXPECT_EQ(c1.hex->text(), QStringLiteral("000A"));
    EXPECT_EQ(c1.result->text(), QStringLiteral("0.01"));
    EXPECT_EQ(c2.hex->text(), QStringLiteral("old hex"));
    EXPECT_EQ(c2.result->text(), QStringLiteral("old result"));
    EXPECT_EQ(c3.hex->text(), QStringLiteral("000A"));
    EXPECT_EQ(c3.result->text(), QStringLiteral("4.285714285714"));
    EXPECT_EQ(c3.result->cursorPosition(), 0); // leading digits in view
    EXPECT_EQ(c4.hex->text(), QStringLiteral("3BF2"));
    EXPECT_EQ(c4.result->text(), QStringLiteral("15346")); // +1000 -1000 *1000 /1000

    // An empty frame empties the hex boxes and runs each chain from 0.
    c4.operations->setPlainText(QStringLiteral("+1000\n/0"));
    w->processFrame("");
    EXPECT_EQ(c1.hex->text(), QString());
    EXPECT_EQ(c1.result->text(), QStringLiteral("0"));
    EXPECT_EQ(c4.hex->text(), QString());
    EXPECT_EQ(c4.result->text(), QStringLiteral("inf"));
    EXPECT_EQ(c2.result->text(), QStringLiteral("old result"));

    // Unchecking keeps the last values.
    QTest::mouseClick(c1.enabled, Qt::LeftButton);
    w->processFrame("FF FF FF FF ");
    EXPECT_EQ(c1.result->text(), QStringLiteral("0"));
    EXPECT_EQ(c4.hex->text(), QString());
    c3.start->setCurrentIndex(1);
    c3.count->setCurrentIndex(4);
    c3.operations->clear();
    w->processFrame("FF FF FF FF ");
    EXPECT_EQ(c3.hex->text(), QStringLiteral("FFFFFFFF"));
    EXPECT_EQ(c3.result->text(), QStringLiteral("-1"));
}

TEST_F(CalculatorWindowTest, DestroyingTheParentStoresTheColumnsOnce)
{
    auto *parent = new QWidget;
    parent->show();
    CalculatorWindow *w = CalculatorWindow::openOrRaise(m_slot, m_state, m_store, parent);
    EXPECT_TRUE(w->isWindow());
    EXPECT_EQ(w->parentWidget(), parent);
    columnOf(w, 3).start->setCurrentIndex(12);
    columnOf(w, 3).count->setCurrentIndex(3);
    columnOf(w, 3).operations->setPlainText(QStringLiteral("-273.15\n*1.8"));
    ASSERT_EQ(m_state.calcWindowOpen, 1);

    delete parent;
    EXPECT_TRUE(m_slot.isNull());
    EXPECT_EQ(m_state.calcWindowOpen, 0);
    EXPECT_EQ(stored(sk::calcStartSection(), sk::calcStartKey(3)), QStringLiteral("12"));
    EXPECT_EQ(stored(sk::calcStartSection(), sk::calcCountKey(3)), QStringLiteral("3"));
    EXPECT_EQ(stored(sk::calcOperationSection(), sk::calcOperationKey(3)), QStringLiteral("-273.15#*1.8"));
    EXPECT_EQ(stored(sk::calcOperationSection(), sk::calcOperationKey(4)), QStringLiteral("+1000#-1000#*1000#/1000"));
}
