#pragma once

#include "app/sharedstate.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <memory>

namespace Ui {
class MainWindow;
}
class AutoSender;
class CalculatorWindow;
class LogCommands;
class PortPanel;
class ReceiveView;
class SendComposer;
class QLabel;
class QMenu;
class SerialLink;
class SettingsStore;

class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(SharedState &state, QWidget *parent = nullptr);
    ~MainWindow() override;

    Ui::MainWindow *form() const { return ui.get(); }
    QMenu *logMenu() const { return m_logMenu; }
    PortPanel &portPanel() const { return *m_portPanel; }
    SerialLink &端口1() const { return *m_link; }
    SendComposer &sendComposer() const { return *m_sendComposer; }
    ReceiveView &receiveView() const { return *m_receiveView; }
    AutoSender &autoSender() const { return *m_autoSender; }

    // The status bar's three parts, indexed from 0.
    QLabel *statusPart(int index) const;
    // Opens the calculator window, or brings the open one to the front.
    void openCalculator();
    CalculatorWindow *calculator() const;

    QTimer 时钟Vorn发送;
    QTimer 时钟_换行;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void onMainWindowCreated();
    void onMainWindowResized();
    void onMainWindowClosing();
    void onAlwaysOnTopClicked(bool checked);
    void setUpStatusBar();
    void setUpLogMenu();
    void createComponents();

    SharedState &m_state;
    std::unique_ptr<Ui::MainWindow> ui;
    std::unique_ptr<SettingsStore> m_settings;
    SerialLink *m_link = nullptr;
    PortPanel *m_portPanel = nullptr;
    SendComposer *m_sendComposer = nullptr;
    ReceiveView *m_receiveView = nullptr;
    AutoSender *m_autoSender = nullptr;
    LogCommands *m_logCommands = nullptr;
    QPointer<CalculatorWindow> m_calculator;
    QMenu *m_logMenu = nullptr;
    QLabel *m_statusParts[3] = {};
};
