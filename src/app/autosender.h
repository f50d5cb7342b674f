#pragma once

#include <QObject>

class PortPanel;
class QTimer;
class SendComposer;
struct SharedState;
namespace Ui {
class MainWindow;
}

// Sends the loop list one line per tick through the ordinary send action,
// once or in a loop; the button's caption records whether it runs.
class AutoSender : public QObject
{
    Q_OBJECT
public:
    AutoSender(Ui::MainWindow &ui, QTimer &timer, PortPanel &panel, SendComposer &composer, SharedState &state,
               QObject *parent = nullptr);

    void onStartStopClicked();
    void onTick();
    // "↑": the whole list into the log, in grey, replacing the selection.
    void showListInLog();
    bool isRunning() const;
    void stop();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool listIsEmpty() const;
    void showHint();

    Ui::MainWindow &ui;
    QTimer &m_timer;
    PortPanel &m_panel;
    SendComposer &m_composer;
    SharedState &m_state;
};
