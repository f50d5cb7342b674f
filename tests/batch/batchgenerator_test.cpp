#include "batch/batchgenerator.h"
#include "settings/settingskeys.h"
#include "settings/settingsstore.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QStringList itemsOf(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

QStringList numbers(int count)
{
    QStringList list;
    for (int i = 1; i <= count; ++i)
        list << QString::number(i);
    return list;
}

// Picks an entry the way a user does: opens the list and clicks the item.
void chooseEntry(QComboBox *box, const QString &entry)
{
    const int index = box->findText(entry);
    ASSERT_GE(index, 0) << entry.toStdString();
    box->showPopup();
    QAbstractItemView *view = box->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
    const QModelIndex item = box->model()->index(index, 0);
    view->scrollTo(item);
    const QRect shown = view->visualRect(item).intersected(view->viewport()->rect());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, shown.center());
    ASSERT_FALSE(view->isVisible());
}

// Replaces the box's text by typing, as a user does: into the focused box.
void typeInto(QComboBox *box, const QString &text)
{
    box->setFocus();
    QTest::keyClick(box->lineEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box->lineEdit(), text);
}

// A fresh settings folder per test, a stand-in loop list and CRC box, and the
// window shown over a parent as the main window opens it.
class BatchGeneratorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        loopList = new QPlainTextEdit(&owner);
        loopList->setPlainText(QStringLiteral("01 03 10 00 00 25\n01 03 00 64 00 08"));
        crcBox = new QCheckBox(&owner);
        crcBox->setChecked(true);
    }

    void TearDown() override { delete window.data(); }

    void open()
    {
        window = new BatchGenerator(store, loopList, crcBox, &owner);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }

    template <typename T>
    T *control(const char *name) const
    {
        T *c = window->findChild<T *>(QString::fromUtf8(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    QComboBox *combo(const char *name) const { return control<QComboBox>(name); }
    void click(const char *button) const { QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton); }

    QString stored(const QString &key) const { return store.read(settingskeys::moduleSection(), key, QStringLiteral("<missing>")); }

    QTemporaryDir dir;
    SettingsStore store{dir.path()};
    QWidget owner;
    QPlainTextEdit *loopList = nullptr;
    QCheckBox *crcBox = nullptr;
    QPointer<BatchGenerator> window;
};

} // namespace

TEST_F(BatchGeneratorTest, FirstOpeningWithEmptySettings)
{
    open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("批量发送数据生成窗口"));
    EXPECT_EQ(window->size(), QSize(625, 500));
    EXPECT_TRUE(window->isModal());
    EXPECT_EQ(combo("组合框_模块类型")->currentText(), QStringLiteral("Vorn模块"));
    EXPECT_EQ(combo("组合框_路数")->currentText(), QStringLiteral("9路"));
    EXPECT_TRUE(combo("组合框_路数")->isEnabled());
    EXPECT_EQ(combo("组合框_地址起")->currentText(), QStringLiteral("0"));
    EXPECT_EQ(combo("组合框_地址终")->currentText(), QStringLiteral("251"));
    EXPECT_EQ(itemsOf(combo("组合框_地址起")), numbers(506));
    EXPECT_EQ(itemsOf(combo("组合框_地址终")), numbers(506));

    EXPECT_TRUE(control<QRadioButton>("单选框_默认数据")->isChecked());
    EXPECT_TRUE(combo("组合框_路数")->isVisible());
    EXPECT_TRUE(combo("组合框_模块类型")->isVisible());
    EXPECT_FALSE(combo("组合框_自定义数据")->isVisible());
    EXPECT_FALSE(combo("组合框_地址在前")->isVisible());
    EXPECT_EQ(combo("组合框_自定义数据")->currentText(), QStringLiteral("03 00 64 00 25"));
    EXPECT_EQ(combo("组合框_地址在前")->currentText(), QStringLiteral("地址在后"));
    EXPECT_EQ(control<QPlainTextEdit>("编辑框1")->toPlainText(), QStringLiteral("03 00 64 00 25"));
    // Opening writes nothing.
    EXPECT_EQ(stored(settingskeys::firstAddressKey()), QStringLiteral("<missing>"));
}

TEST_F(BatchGeneratorTest, RestoresStoredChoices)
{
    using namespace settingskeys;
    store.writeInt(moduleSection(), moduleTypeKey(), 1);
    store.writeInt(moduleSection(), channelCountKey(), 7); // past the end: the last entry
    store.write(moduleSection(), firstAddressKey(), QStringLiteral("12x"));
    store.write(moduleSection(), lastAddressKey(), QStringLiteral(""));
    open();
    EXPECT_EQ(combo("组合框_模块类型")->currentText(), QStringLiteral("老模块"));
    EXPECT_FALSE(combo("组合框_路数")->isEnabled());
    EXPECT_EQ(combo("组合框_路数")->currentText(), QStringLiteral("9路"));
    EXPECT_EQ(combo("组合框_地址起")->currentText(), QStringLiteral("12x"));
    EXPECT_EQ(combo("组合框_地址终")->currentText(), QString());
    EXPECT_EQ(itemsOf(combo("组合框_地址终")), numbers(255));
}

TEST_F(BatchGeneratorTest, SwitchingTypeRefillsListsAndKeepsTexts)
{
    open();
    QComboBox *type = combo("组合框_模块类型");
    chooseEntry(type, QStringLiteral("老模块"));
    EXPECT_FALSE(combo("组合框_路数")->isEnabled());
    EXPECT_EQ(itemsOf(combo("组合框_地址起")), numbers(255));
    EXPECT_EQ(itemsOf(combo("组合框_地址终")), numbers(255));
    EXPECT_EQ(combo("组合框_地址起")->currentText(), QStringLiteral("0"));
    EXPECT_EQ(combo("组合框_地址终")->currentText(), QStringLiteral("251"));
    EXPECT_EQ(stored(settingskeys::moduleTypeKey()), QStringLiteral("1"));

    chooseEntry(type, QStringLiteral("Vorn模块"));
    EXPECT_TRUE(combo("组合框_路数")->isEnabled());
    EXPECT_EQ(itemsOf(combo("组合框_地址起")), numbers(506));
    EXPECT_EQ(itemsOf(combo("组合框_地址终")), numbers(506));
    EXPECT_EQ(combo("组合框_地址起")->currentText(), QStringLiteral("0"));
    EXPECT_EQ(combo("组合框_地址终")->currentText(), QStringLiteral("251"));
    EXPECT_EQ(stored(settingskeys::moduleTypeKey()), QStringLiteral("0"));

    chooseEntry(combo("组合框_路数"), QStringLiteral("4路"));
    EXPECT_EQ(stored(settingskeys::channelCountKey()), QStringLiteral("1"));
}

TEST_F(BatchGeneratorTest, RangeRuleChangedSideWins)
{
    open();
    QComboBox *start = combo("组合框_地址起");
    QComboBox *end = combo("组合框_地址终");

    // The end box waits until it is left.
    typeInto(end, QStringLiteral("3"));
    EXPECT_EQ(stored(settingskeys::lastAddressKey()), QStringLiteral("<missing>"));

    start->setFocus(); // leaving the end box: 0..3 is in order, both written
    EXPECT_EQ(stored(settingskeys::firstAddressKey()), QStringLiteral("0"));
    EXPECT_EQ(stored(settingskeys::lastAddressKey()), QStringLiteral("3"));

    // The start box reacts at each keystroke.
    typeInto(start, QStringLiteral("5"));
    EXPECT_EQ(end->currentText(), QStringLiteral("5"));
    EXPECT_EQ(stored(settingskeys::firstAddressKey()), QStringLiteral("5"));
    EXPECT_EQ(stored(settingskeys::lastAddressKey()), QStringLiteral("5"));

    chooseEntry(end, QStringLiteral("2"));
    EXPECT_EQ(start->currentText(), QStringLiteral("2"));
    EXPECT_EQ(end->currentText(), QStringLiteral("2"));
    EXPECT_EQ(stored(settingskeys::firstAddressKey()), QStringLiteral("2"));
    EXPECT_EQ(stored(settingskeys::lastAddressKey()), QStringLiteral("2"));

    // Typing a lower end that is no entry of the list, then leaving the box,
    // lowers the start.
    typeInto(end, QStringLiteral("0"));
    EXPECT_EQ(start->currentText(), QStringLiteral("2"));
    start->setFocus();
    EXPECT_EQ(start->currentText(), QStringLiteral("0"));
    EXPECT_EQ(stored(settingskeys::firstAddressKey()), QStringLiteral("0"));
    EXPECT_EQ(stored(settingskeys::lastAddressKey()), QStringLiteral("0"));
}

TEST_F(BatchGeneratorTest, AddOnUntouchedWindowCopiesInitialText)
{
    open();
    click("按钮_加入");
    EXPECT_EQ(loopList->toPlainText(), QStringLiteral("03 00 64 00 25"));
    EXPECT_FALSE(crcBox->isChecked());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(BatchGeneratorTest, GenerateAndAddVornLines)
{
    open();
    typeInto(combo("组合框_地址起"), QStringLiteral("1"));
    typeInto(combo("组合框_地址终"), QStringLiteral("3"));
    click("按钮_生成");
    const QString lines = QStringLiteral("01 03 10 00 00 25 D1 80  → 1\n"
                                         "02 03 10 00 00 25 E2 80  → 2\n"
                                         "03 03 10 00 00 25 33 81  → 3\n");
    EXPECT_EQ(control<QPlainTextEdit>("编辑框1")->toPlainText(), lines);

    click("按钮_加入");
    EXPECT_EQ(loopList->toPlainText(), lines);
    EXPECT_FALSE(crcBox->isChecked());

    // Clicking the button leaves the end box, so a lower end typed there
    // orders the range before the lines are built.
    typeInto(combo("组合框_地址终"), QStringLiteral("0"));
    click("按钮_生成");
    EXPECT_EQ(combo("组合框_地址起")->currentText(), QStringLiteral("0"));
    EXPECT_EQ(control<QPlainTextEdit>("编辑框1")->toPlainText(), QStringLiteral("00 03 10 00 00 25 00 81  → 0\n"));
}

TEST_F(BatchGeneratorTest, CustomDataThroughRadioButtons)
{
    open();
    QTest::mouseClick(control<QRadioButton>("单选框_自定义数据"), Qt::LeftButton);
    EXPECT_FALSE(combo("组合框_路数")->isVisible());
    EXPECT_FALSE(combo("组合框_模块类型")->isVisible());
    EXPECT_TRUE(combo("组合框_自定义数据")->isVisible());
    EXPECT_TRUE(combo("组合框_地址在前")->isVisible());

    chooseEntry(combo("组合框_自定义数据"), QStringLiteral("F1"));
    typeInto(combo("组合框_地址起"), QStringLiteral("10"));
    typeInto(combo("组合框_地址终"), QStringLiteral("11"));
    click("按钮_生成");
    EXPECT_EQ(control<QPlainTextEdit>("编辑框1")->toPlainText(), QStringLiteral("F1 0A\nF1 0B\n"));
    chooseEntry(combo("组合框_地址在前"), QStringLiteral("地址在前"));
    click("按钮_生成");
    EXPECT_EQ(control<QPlainTextEdit>("编辑框1")->toPlainText(), QStringLiteral("0A F1\n0B F1\n"));

    // A typed text is taken as typed, not completed from the list.
    typeInto(combo("组合框_自定义数据"), QStringLiteral("F"));
    click("按钮_生成");
    EXPECT_EQ(control<QPlainTextEdit>("编辑框1")->toPlainText(), QStringLiteral("0A F\n0B F\n"));

    QTest::mouseClick(control<QRadioButton>("单选框_默认数据"), Qt::LeftButton);
    EXPECT_TRUE(combo("组合框_路数")->isVisible());
    EXPECT_TRUE(combo("组合框_模块类型")->isVisible());
    EXPECT_FALSE(combo("组合框_自定义数据")->isVisible());
    EXPECT_FALSE(combo("组合框_地址在前")->isVisible());
}

TEST_F(BatchGeneratorTest, CloseDestroysWindow)
{
    open();
    click("按钮_关闭");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}


// The way the main window opens it: modal, returning once "关闭" is clicked.
TEST_F(BatchGeneratorTest, OpenModalReturnsWhenClosed)
{
    bool wasModal = false;
    QTimer::singleShot(0, &owner, [&] {
        window = owner.findChild<BatchGenerator *>();
        wasModal = window && QApplication::activeModalWidget() == window;
        if (window)
            click("按钮_关闭");
    });
    BatchGenerator::openModal(store, loopList, crcBox, &owner);
    EXPECT_TRUE(wasModal);
    EXPECT_TRUE(window.isNull());
}
