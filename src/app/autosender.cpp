#include "app/autosender.h"

#include "app/lampwidget.h"
#include "app/mainsettings.h"
#include "app/portpanel.h"
#include "app/sendcomposer.h"
#include "app/sharedstate.h"
#include "app/timerrule.h"
#include "autosend/looplines.h"
#include "platform/ansicodec.h"
#include "text/textrules.h"
#include "ui_mainwindow.h"

#include <QMouseEvent>
#include <QToolTip>

namespace {

const uint32_t LAMP_BLINK = 0x00FFFF;
const QPoint HINT_OFFSET(50, 50);

} // namespace

AutoSender::AutoSender(Ui::MainWindow &ui, QTimer &timer, PortPanel &panel, SendComposer &composer,
                       SharedState &state, QObject *parent)
    : QObject(parent)
    , ui(ui)
    , m_timer(timer)
    , m_panel(panel)
    , m_composer(composer)
    , m_state(state)
{
    connect(ui.按钮_自动发送, &QPushButton::clicked, this, &AutoSender::onStartStopClicked);
    connect(&m_timer, &QTimer::timeout, this, &AutoSender::onTick);
    ui.透明标签1->installEventFilter(this);
}

bool AutoSender::isRunning() const
{
    return ui.按钮_自动发送->text() != QStringLiteral("自动发送");
}

bool AutoSender::listIsEmpty() const
{
    return text::removeSpaces(loopListBytes(ui)).empty();
}

void AutoSender::showHint()
{
    const QWidget *window = ui.分组框2->window();
    QToolTip::showText(window->pos() + ui.分组框2->pos() + HINT_OFFSET,
                       QStringLiteral("请输入要自动发送的数据，一行为一条数据！"), ui.按钮_自动发送);
}

void AutoSender::onStartStopClicked()
{
    if (listIsEmpty()) {
        showHint();
        return;
    }
    m_state.autoLines = splitLoopList(loopListBytes(ui));
    if (isRunning()) {
        stop();
        return;
    }
    if (!m_panel.lampShowsOpen()) {
        m_panel.togglePort();
        if (!m_panel.lampShowsOpen())
            return;
    }
    ui.按钮_自动发送->setText(QStringLiteral("停止发送"));
    setTimerPeriod(m_timer, text::textToInt(ansi::fromQString(ui.组合框_毫秒->currentText())));
    for (QPushButton *b : {ui.按钮_发送, ui.按钮_打开串口, ui.按钮_保存})
        b->setEnabled(false);
    m_state.autoIndex = 1;
    m_state.autoActive = 1;
}

void AutoSender::stop()
{
    setTimerPeriod(m_timer, 0);
    ui.按钮_自动发送->setText(QStringLiteral("自动发送"));
    ui.外形框_自动发送->setFillColor(LampWidget::NO_FILL);
    for (QPushButton *b : {ui.按钮_发送, ui.按钮_打开串口, ui.按钮_保存})
        b->setEnabled(true);
    m_state.autoActive = 0;
}

void AutoSender::onTick()
{
    LampWidget *lamp = ui.外形框_自动发送;
    lamp->setFillColor(lamp->fillColor() == LampWidget::NO_FILL ? LAMP_BLINK : LampWidget::NO_FILL);

    const size_t count = m_state.autoLines.size();
    if (m_state.autoIndex < 1 || static_cast<size_t>(m_state.autoIndex) > count) {
        stop(); // cannot happen while the timer runs; never index outside the list
        return;
    }
    const std::string &line = m_state.autoLines[static_cast<size_t>(m_state.autoIndex) - 1];
    ui.编辑框_发送->setText(ansi::toQString(framePart(line)));
    m_state.autoCurrentLine = line;
    if (!ui.编辑框_发送->text().isEmpty())
        m_composer.sendFrame();

    ++m_state.autoIndex;
    if (static_cast<size_t>(m_state.autoIndex) > count) {
        if (ui.选择框_循环->isChecked())
            m_state.autoIndex = 1;
        else
            stop();
    }
}

void AutoSender::showListInLog()
{
    if (listIsEmpty()) {
        showHint();
        return;
    }
    LogView &log = *ui.超级编辑框1;
    log.setInsertFormat(m_state.loopFormat);
    log.insertAtCaret("\r\n" + loopListBytes(ui));
    // A one-pixel nudge makes the log lay its text out anew.
    log.resize(log.width() + 1, log.height());
    log.setFocus();
    log.resize(log.width() - 1, log.height());
}

bool AutoSender::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui.透明标签1 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        showListInLog();
    return QObject::eventFilter(watched, event);
}
