#include "calc/calculatorwindow.h"

#include "app/boxlines.h"
#include "app/sharedstate.h"
#include "calc/framecalculator.h"
#include "platform/ansicodec.h"
#include "settings/settingskeys.h"
#include "settings/settingsstore.h"
#include "ui_calculatorwindow.h"

#include <QCloseEvent>

#include <algorithm>

namespace {

const int LAST_COLUMN = settingskeys::CALC_COLUMN_COUNT;

// An index past the last entry selects the last entry; a negative one leaves
// the list without a selection.
void selectIndex(QComboBox *list, int32_t index)
{
    if (index < 0)
        list->setCurrentIndex(-1);
    else
        list->setCurrentIndex(std::min<int32_t>(index, list->count() - 1));
}

// A value wider than its box shows its leading digits, not its tail.
void showFromStart(QLineEdit *box, const QString &text)
{
    box->setText(text);
    box->setCursorPosition(0);
}

} // namespace

CalculatorWindow::CalculatorWindow(SharedState &state, SettingsStore &store, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_state(state)
    , m_store(store)
    , ui(std::make_unique<Ui::CalculatorWindow>())
{
    setAttribute(Qt::WA_DeleteOnClose);
    ui->setupUi(this);
    onCalculatorWindowCreated();
}

CalculatorWindow::~CalculatorWindow()
{
    // Program end with the window open: the columns are kept all the same.
    onCalculatorWindowClosing();
}

CalculatorWindow::Column CalculatorWindow::column(int index) const
{
    switch (index) {
    case 1: return {ui->选择框1, ui->组合框_1, ui->组合框_5, ui->编辑框161, ui->编辑框3, ui->编辑框8};
    case 2: return {ui->选择框2, ui->组合框_2, ui->组合框_6, ui->编辑框162, ui->编辑框4, ui->编辑框10};
    case 3: return {ui->选择框3, ui->组合框_3, ui->组合框_7, ui->编辑框163, ui->编辑框5, ui->编辑框11};
    default: return {ui->选择框4, ui->组合框_4, ui->组合框_8, ui->编辑框164, ui->编辑框6, ui->编辑框12};
    }
}

void CalculatorWindow::onCalculatorWindowCreated()
{
    using namespace settingskeys;
    // The form has filled the lists; from here on frames may be handed in.
    m_state.calcWindowOpen = 1;
    for (int i = 1; i <= LAST_COLUMN; ++i) {
        const Column c = column(i);
        selectIndex(c.start, m_store.readInt(calcStartSection(), calcStartKey(i)));
        selectIndex(c.count, m_store.readInt(calcStartSection(), calcCountKey(i)));
    }
    for (int i = 1; i <= LAST_COLUMN; ++i)
        setLines(column(i).operations, m_store.readMultiLine(calcOperationSection(), calcOperationKey(i)));
    const Column last = column(LAST_COLUMN);
    if (last.operations->toPlainText().isEmpty())
        setLines(last.operations, calcLastOperationFallback());
}

void CalculatorWindow::closeEvent(QCloseEvent *event)
{
    onCalculatorWindowClosing();
    QWidget::closeEvent(event);
}

void CalculatorWindow::onCalculatorWindowClosing()
{
    if (m_closingDone)
        return;
    m_closingDone = true;
    using namespace settingskeys;
    m_state.calcWindowOpen = 0;
    for (int i = 1; i <= LAST_COLUMN; ++i) {
        const Column c = column(i);
        m_store.writeInt(calcStartSection(), calcStartKey(i), c.start->currentIndex());
        m_store.writeInt(calcStartSection(), calcCountKey(i), c.count->currentIndex());
    }
    for (int i = 1; i <= LAST_COLUMN; ++i)
        m_store.writeMultiLine(calcOperationSection(), calcOperationKey(i), linesOf(column(i).operations));
}

void CalculatorWindow::processFrame(const std::string &frameText)
{
    for (int i = 1; i <= LAST_COLUMN; ++i) {
        const Column c = column(i);
        if (!c.enabled->isChecked())
            continue;
        const CalcResult r =
            computeColumn(frameText, c.start->currentIndex(), c.count->currentIndex(),
                          ansi::fromQString(linesOf(c.operations)));
        showFromStart(c.hex, ansi::toQString(r.hexText));
        showFromStart(c.result, ansi::toQString(r.resultText));
    }
}

CalculatorWindow *CalculatorWindow::openOrRaise(QPointer<CalculatorWindow> &slot, SharedState &state,
                                                SettingsStore &store, QWidget *parent)
{
    // A window that has run its closing steps is only waiting to be deleted.
    if (slot && !slot->m_closingDone) {
        slot->setWindowState(slot->windowState() & ~Qt::WindowMinimized);
        slot->show();
        slot->raise();
        slot->activateWindow();
        return slot.data();
    }
    slot = new CalculatorWindow(state, store, parent);
    slot->show();
    return slot.data();
}
