#include "app/receiveview.h"

#include "app/sharedstate.h"
#include "app/timerrule.h"
#include "platform/ansicodec.h"
#include "settings/settingskeys.h"
#include "settings/settingsstore.h"
#include "text/textrules.h"
#include "ui_mainwindow.h"

#include <QMouseEvent>
#include <QToolTip>

namespace {

const QPoint INTERVAL_TIP_OFFSET(15, 30);

} // namespace

ReceiveView::ReceiveView(Ui::MainWindow &ui, QTimer &lineBreakTimer, QLabel &rxPart, SharedState &state,
                         const SettingsStore &store, QObject *parent)
    : QObject(parent)
    , ui(ui)
    , m_timer(lineBreakTimer)
    , m_rxPart(rxPart)
    , m_state(state)
    , m_store(store)
{
    connect(&m_timer, &QTimer::timeout, this, &ReceiveView::onLineBreakTimer);
    connect(ui.编辑框1, &QLineEdit::textChanged, this, &ReceiveView::setLineBreakInterval);
    connect(ui.选择框_自动换行, &QCheckBox::clicked, this, &ReceiveView::setAutoLineBreak);
    ui.编辑框1->installEventFilter(this);
}

void ReceiveView::onBytesReceived(const QByteArray &chunk)
{
    if (chunk.isEmpty())
        return;
    LogView &log = *ui.超级编辑框1;
    log.setInsertFormat(m_state.rxFormat);
    const bool hexDisplay = ui.单选框_16显示->isChecked();
    std::string shown;
    shown.reserve(hexDisplay ? static_cast<size_t>(chunk.size()) * 3 : static_cast<size_t>(chunk.size()));
    for (char byte : chunk)
        shown += decodeReceivedByte(m_state.rx, static_cast<uint8_t>(byte), hexDisplay);
    if (!shown.empty())
        log.insertAtCaret(shown);
    log.scrollToBottom();
    m_state.rxCount += chunk.size();
    m_rxPart.setText(QStringLiteral("RX:%1").arg(m_state.rxCount));
    if (ui.选择框_自动换行->isChecked())
        setTimerPeriod(m_timer, m_state.lineBreakMs);
}

void ReceiveView::onLineBreakTimer()
{
    setTimerPeriod(m_timer, 0);
    ui.超级编辑框1->insertAtCaret(std::string("\r\n"));
    if (m_state.calcWindowOpen == 1)
        emit frameClosed(m_state.rx.rxFrameText);
    m_state.rx.rxFrameText.clear();
}

void ReceiveView::setLineBreakInterval(const QString &text)
{
    m_state.lineBreakMs = text::textToInt(ansi::fromQString(text));
    m_store.write(settingskeys::lineBreakIntervalSection(), settingskeys::lineBreakIntervalKey(), text);
}

void ReceiveView::setAutoLineBreak(bool checked)
{
    m_store.writeFlag(settingskeys::lineBreakSection(), settingskeys::lineBreakKey(), checked);
}

void ReceiveView::showIntervalTip()
{
    const QWidget *window = ui.编辑框1->window();
    const QPoint at = window->pos() + ui.分组框3->pos() + ui.编辑框1->pos() + INTERVAL_TIP_OFFSET;
    QToolTip::showText(at, QStringLiteral("换行间隔：毫秒"), ui.编辑框1);
}

// Shown when the left click into the box ends: a tip shown at the press would
// be hidden again by the release.
bool ReceiveView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui.编辑框1 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        showIntervalTip();
    return QObject::eventFilter(watched, event);
}
