#pragma once
// The serial port the program drives: line settings, open, close, blocking
// sends, and the received bytes reported in order on the GUI thread.

#include <QByteArray>
#include <QObject>
#include <QSerialPort>

#include <cstdint>
#include <string>

struct SerialSettings {
    int32_t portNumber = 1;
    int32_t baudRate = 9600;
    int32_t dataBits = 8;
    int32_t stopBitsCode = 1; // 1 one, 2 one and a half, 3 two
    int32_t parityCode = 0;   // 0 none, 1 odd, 2 even, 3 mark, 4 space
};

class SerialLink : public QObject
{
    Q_OBJECT

public:
    explicit SerialLink(QObject *parent = nullptr);

    // Port below 1 becomes 1, baud below 0 becomes 0, the stop bits code is
    // clamped to 1..3 and the parity code to 0..4; data bits stay as given.
    // Takes effect at the next open.
    void setSettings(const SerialSettings &settings);
    SerialSettings settings() const;

    // Closes the port, then opens the device of the port number with the
    // settings. False when the device is missing or in use or refuses a
    // setting (data bits other than 5 to 8, baud 0). Where the system has no
    // 1.5 stop bits the port runs with two, which a receiver expecting 1.5 accepts.
    bool open();
    // Received bytes not yet delivered are dropped.
    void close();
    bool isOpen() const;

    // Discards unread input and unsent output, writes every byte and waits
    // until they are written (1000 ms plus 1000 ms per byte at most). False
    // when the port is not open or the write fails or times out; empty data
    // writes nothing and gives true. Received bytes that arrive meanwhile are
    // delivered after the call returns, from the event loop.
    bool sendBytes(const QByteArray &bytes);
    bool sendText(const std::string &text);

    // The port as configured, read-only: its settings as the driver took them.
    const QSerialPort &port() const;

signals:
    // Every byte received, in order, once; a chunk holds what had arrived.
    void bytesReceived(const QByteArray &chunk);
    // The device went away while open (adapter removed, pseudo-terminal closed
    // on its other side). The link has closed the port by then; emitted once per loss.
    void deviceLost();

private:
    void onReadyRead();
    void onErrorOccurred(QSerialPort::SerialPortError error);
    void deliverPending();
    void scheduleLoss();
    void handleLoss(quint64 openGeneration);

    QSerialPort m_port;
    SerialSettings m_settings;
    // Changes with every close, so a loss noticed on one opening never closes a later one.
    quint64 m_openGeneration = 0;
    bool m_opening = false;
    bool m_sending = false;
    bool m_lossScheduled = false;
};
