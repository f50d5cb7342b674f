#include "app/selectiontipview.h"

#include "app/logview.h"
#include "platform/ansicodec.h"
#include "terminal/selectiontips.h"

#include <QAction>
#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QToolTip>
#include <QWindow>

namespace {

// Longest wait for the focus to come back after a menu closed.
const int FOCUS_SETTLE_MS = 300;

} // namespace

SelectionTipView::SelectionTipView(LogView &log, QAction &mergeAction, QObject *parent)
    : QObject(parent)
    , m_log(log)
    , m_viewport(log.viewport())
{
    m_settleTimer.setSingleShot(true);
    m_settleTimer.setInterval(FOCUS_SETTLE_MS);
    connect(&m_settleTimer, &QTimer::timeout, this, &SelectionTipView::showPending);
    m_viewport->installEventFilter(this);
    connect(&mergeAction, &QAction::triggered, this, &SelectionTipView::showMergeTip);
}

bool SelectionTipView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_viewport && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        // The editor settles the selection while it handles the release (a
        // click inside a selection clears it there), so read it afterwards.
        QMetaObject::invokeMethod(this, &SelectionTipView::showTokenTip, Qt::QueuedConnection);
    }
    return false;
}

void SelectionTipView::showTokenTip()
{
    if (const std::optional<std::string> tip = tokenTip(m_log.selectedText()))
        popUp(*tip);
}

void SelectionTipView::showMergeTip()
{
    if (const std::optional<std::string> tip = mergeTip(m_log.selectedText()))
        popUp(*tip);
}

// A balloon is hidden by any change of focus. Right after a popup menu has
// closed no window has the focus yet, and the one that gets it back would hide
// a balloon shown now: it waits for that (or a short while) instead.
void SelectionTipView::popUp(const std::string &text)
{
    m_pending = text;
    disconnect(m_focusWait);
    if (QGuiApplication::focusWindow()) {
        showPending();
        return;
    }
    m_focusWait = connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &SelectionTipView::showPending,
                          Qt::QueuedConnection);
    m_settleTimer.start();
}

void SelectionTipView::showPending()
{
    disconnect(m_focusWait);
    m_settleTimer.stop();
    // The columns line up only in a fixed-pitch font, which a <pre> block gives.
    QString shown = ansi::toQString(m_pending);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QToolTip::showText(QCursor::pos(), QStringLiteral("<pre>%1</pre>").arg(shown.toHtmlEscaped()), m_log.viewport());
    emit tipShown(m_pending);
}
