#include "platform/enterhotkey.h"

#include <QCoreApplication>
#include <QWidget>

#include <windows.h>

EnterHotkey::EnterHotkey(QWidget *owner)
    : QObject(owner)
    , m_owner(owner)
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

EnterHotkey::~EnterHotkey()
{
    release(m_activeId);
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

int EnterHotkey::registerKey()
{
    const int id = m_lastId + 1;
    if (!RegisterHotKey(reinterpret_cast<HWND>(m_owner->winId()), id, 0, VK_RETURN))
        return 0;
    m_lastId = id;
    m_activeId = id;
    return id;
}

void EnterHotkey::release(int id)
{
    if (id == 0)
        return;
    UnregisterHotKey(reinterpret_cast<HWND>(m_owner->winId()), id);
    if (id == m_activeId)
        m_activeId = 0;
}

bool EnterHotkey::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "windows_generic_MSG")
        return false;
    const MSG *msg = static_cast<const MSG *>(message);
    if (msg->message != WM_HOTKEY)
        return false;
    emit activated(static_cast<int>(msg->wParam));
    return true;
}

bool EnterHotkey::eventFilter(QObject *watched, QEvent *event)
{
    return QObject::eventFilter(watched, event);
}

bool EnterHotkey::grabSystemWide() { return false; }
void EnterHotkey::ungrabSystemWide() {}
