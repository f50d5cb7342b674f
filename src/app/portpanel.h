#pragma once

#include <QObject>

class LogView;
class SerialLink;
class SettingsStore;
namespace Ui {
class MainWindow;
}

// The port panel: line settings, the open/close button and the lamp that tells
// the rest of the program whether the port is open.
class PortPanel : public QObject
{
    Q_OBJECT
public:
    PortPanel(Ui::MainWindow &ui, SerialLink &link, SettingsStore &store, QObject *parent = nullptr);

    // Handler of the open/close button; the send action and auto-send call it
    // too while the lamp shows the port closed.
    void togglePort();
    // The lamp is the one record of the port state.
    bool lampShowsOpen() const;

signals:
    // The device vanished while open; the panel is back in the closed state.
    void portLost();

private:
    void showState(bool open);
    void onDeviceLost();

    Ui::MainWindow &ui;
    SerialLink &m_link;
    SettingsStore &m_store;
};
