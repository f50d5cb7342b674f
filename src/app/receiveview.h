#pragma once

#include <QObject>

#include <string>

class QByteArray;
class QLabel;
class QTimer;
class SettingsStore;
struct SharedState;
namespace Ui {
class MainWindow;
}

// Writes received bytes into the log (hex pairs or text), counts them, and
// breaks the line a set interval after the first byte of a burst.
class ReceiveView : public QObject
{
    Q_OBJECT
public:
    ReceiveView(Ui::MainWindow &ui, QTimer &lineBreakTimer, QLabel &rxPart, SharedState &state,
                const SettingsStore &store, QObject *parent = nullptr);

    // Every byte in order, as if one event per byte; the log is written once per chunk.
    void onBytesReceived(const QByteArray &chunk);
    void onLineBreakTimer();
    void setLineBreakInterval(const QString &text);
    void setAutoLineBreak(bool checked);
    void showIntervalTip();

signals:
    // A frame closed by the line break while the calculator window is open.
    void frameClosed(const std::string &frameText);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Ui::MainWindow &ui;
    QTimer &m_timer;
    QLabel &m_rxPart;
    SharedState &m_state;
    const SettingsStore &m_store;
};
