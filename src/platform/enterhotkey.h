#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

class QWidget;

// A system-wide hotkey for Enter without modifiers, registered and released by
// id. Windows: RegisterHotKey. X11: a key grab on the root window. Where the
// system offers neither (Wayland, offscreen), Enter pressed while the owner
// window is active stands in for it.
class EnterHotkey : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    explicit EnterHotkey(QWidget *owner);
    ~EnterHotkey() override;

    // A new id (> 0) for each registration; 0 when nothing could be registered.
    int registerKey();
    void release(int id);

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

signals:
    void activated(int id);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool grabSystemWide();
    void ungrabSystemWide();

    QWidget *m_owner;
    int m_lastId = 0;
    int m_activeId = 0;
    bool m_systemWide = false;
    unsigned m_keycode = 0;
};
