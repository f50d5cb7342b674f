#pragma once

#include <QPointer>
#include <QWidget>

#include <memory>
#include <string>

namespace Ui {
class CalculatorWindow;
}
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class SettingsStore;
struct SharedState;

// The non-modal calculator window: four columns, each cutting a field out of
// every received frame and running it through a chain of + - * / steps.
// While it is open, state.calcWindowOpen is 1. Its column choices are restored
// from the settings when it is created and stored when it closes, whether it is
// closed through its frame or destroyed with its parent at program end.
class CalculatorWindow : public QWidget
{
    Q_OBJECT
public:
    // A top-level window that deletes itself on close; with a parent it is
    // destroyed with that parent and stays a window of its own.
    CalculatorWindow(SharedState &state, SettingsStore &store, QWidget *parent = nullptr);
    ~CalculatorWindow() override;

    Ui::CalculatorWindow *form() const { return ui.get(); }

    // Computes the checked columns 1 to 4 in order for one frame text (two hex
    // digits and a space per byte) and shows each one's hex and result texts;
    // unchecked columns keep what they show.
    void processFrame(const std::string &frameText);

    // The one calculator window: the window in `slot` brought to the front
    // (restored if minimized), or a new one, created, shown and kept in `slot`.
    static CalculatorWindow *openOrRaise(QPointer<CalculatorWindow> &slot, SharedState &state, SettingsStore &store,
                                         QWidget *parent);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    struct Column
    {
        QCheckBox *enabled;
        QComboBox *start;
        QComboBox *count;
        QLineEdit *hex;
        QPlainTextEdit *operations;
        QLineEdit *result;
    };

    void onCalculatorWindowCreated();
    void onCalculatorWindowClosing();
    Column column(int index) const;

    SharedState &m_state;
    SettingsStore &m_store;
    std::unique_ptr<Ui::CalculatorWindow> ui;
    bool m_closingDone = false;
};
