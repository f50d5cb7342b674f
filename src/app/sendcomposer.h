#pragma once

#include <QObject>

class EnterHotkey;
class PortPanel;
class QLabel;
class SerialLink;
struct SharedState;
namespace Ui {
class MainWindow;
}

// The send action: builds the frame from the send box (text, or hex pairs with
// an optional CRC in either byte order), sends it, counts it and echoes it.
class SendComposer : public QObject
{
    Q_OBJECT
public:
    SendComposer(Ui::MainWindow &ui, PortPanel &panel, SerialLink &link, EnterHotkey &hotkey, QLabel &txPart,
                 SharedState &state, QObject *parent = nullptr);

    void sendFrame();
    // Each check registers the Enter hotkey, each uncheck releases it.
    void setEnterHotkey(bool checked);
    void onHotkey(int id);

private:
    void countSent(size_t bytes);

    Ui::MainWindow &ui;
    PortPanel &m_panel;
    SerialLink &m_link;
    EnterHotkey &m_hotkey;
    QLabel &m_txPart;
    SharedState &m_state;
};
