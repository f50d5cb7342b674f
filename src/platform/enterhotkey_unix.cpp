#include "platform/enterhotkey.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>

namespace {

// Lock states that must not stop the grab: Caps Lock and Num Lock.
const uint16_t LOCK_MASKS[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
const uint16_t IGNORED_MODIFIERS = XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2;
const xcb_keysym_t KEYSYM_RETURN = 0xFF0D;

QNativeInterface::QX11Application *x11()
{
    return qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
}

xcb_window_t rootWindow(xcb_connection_t *connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

// The keycode that produces Return on this server's keyboard map; 0 if none.
xcb_keycode_t returnKeycode(xcb_connection_t *c)
{
    const xcb_setup_t *setup = xcb_get_setup(c);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t *map =
        xcb_get_keyboard_mapping_reply(c, xcb_get_keyboard_mapping(c, setup->min_keycode, count), nullptr);
    if (!map)
        return 0;
    const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(map);
    const int perCode = map->keysyms_per_keycode;
    xcb_keycode_t found = 0;
    for (int i = 0; i < count * perCode && found == 0; ++i)
        if (syms[i] == KEYSYM_RETURN)
            found = static_cast<xcb_keycode_t>(setup->min_keycode + i / perCode);
    std::free(map);
    return found;
}

} // namespace

EnterHotkey::EnterHotkey(QWidget *owner)
    : QObject(owner)
    , m_owner(owner)
{
}

EnterHotkey::~EnterHotkey()
{
    release(m_activeId);
}

int EnterHotkey::registerKey()
{
    release(m_activeId);
    m_systemWide = grabSystemWide();
    if (m_systemWide)
        QCoreApplication::instance()->installNativeEventFilter(this);
    else
        QCoreApplication::instance()->installEventFilter(this);
    m_activeId = ++m_lastId;
    return m_activeId;
}

void EnterHotkey::release(int id)
{
    if (id == 0 || id != m_activeId)
        return;
    if (m_systemWide) {
        ungrabSystemWide();
        QCoreApplication::instance()->removeNativeEventFilter(this);
    } else {
        QCoreApplication::instance()->removeEventFilter(this);
    }
    m_activeId = 0;
    m_systemWide = false;
}

bool EnterHotkey::grabSystemWide()
{
    QNativeInterface::QX11Application *x = x11();
    if (!x || !x->connection())
        return false;
    xcb_connection_t *c = x->connection();
    m_keycode = returnKeycode(c);
    if (m_keycode == 0)
        return false;
    for (uint16_t mask : LOCK_MASKS) {
        xcb_void_cookie_t cookie = xcb_grab_key_checked(c, 1, rootWindow(c), mask, static_cast<xcb_keycode_t>(m_keycode),
                                                        XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        if (xcb_generic_error_t *error = xcb_request_check(c, cookie)) {
            std::free(error); // another client holds Enter
            ungrabSystemWide();
            return false;
        }
    }
    return true;
}

void EnterHotkey::ungrabSystemWide()
{
    QNativeInterface::QX11Application *x = x11();
    if (!x || !x->connection())
        return;
    for (uint16_t mask : LOCK_MASKS)
        xcb_ungrab_key(x->connection(), static_cast<xcb_keycode_t>(m_keycode), rootWindow(x->connection()), mask);
    xcb_flush(x->connection());
}

bool EnterHotkey::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (!m_systemWide || eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & ~0x80) != XCB_KEY_PRESS)
        return false;
    const auto *key = static_cast<const xcb_key_press_event_t *>(message);
    if (key->detail != m_keycode || (key->state & ~IGNORED_MODIFIERS) != 0)
        return false;
    emit activated(m_activeId);
    return true;
}

bool EnterHotkey::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || m_activeId == 0 || !m_owner->isActiveWindow())
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (!enter || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return QObject::eventFilter(watched, event);
    // Taken by the first receiver, as a system-wide hotkey would take it from every window.
    emit activated(m_activeId);
    return true;
}
