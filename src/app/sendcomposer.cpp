#include "app/sendcomposer.h"

#include "app/portpanel.h"
#include "app/sharedstate.h"
#include "platform/ansicodec.h"
#include "platform/enterhotkey.h"
#include "serial/seriallink.h"
#include "terminal/framecompose.h"
#include "text/textrules.h"
#include "ui_mainwindow.h"

SendComposer::SendComposer(Ui::MainWindow &ui, PortPanel &panel, SerialLink &link, EnterHotkey &hotkey, QLabel &txPart,
                           SharedState &state, QObject *parent)
    : QObject(parent)
    , ui(ui)
    , m_panel(panel)
    , m_link(link)
    , m_hotkey(hotkey)
    , m_txPart(txPart)
    , m_state(state)
{
    connect(ui.按钮_发送, &QPushButton::clicked, this, &SendComposer::sendFrame);
    connect(ui.回车发送选择框, &QCheckBox::clicked, this, &SendComposer::setEnterHotkey);
    connect(&m_hotkey, &EnterHotkey::activated, this, &SendComposer::onHotkey);
}

void SendComposer::setEnterHotkey(bool checked)
{
    if (checked)
        m_state.enterHotkeyId = m_hotkey.registerKey();
    else
        m_hotkey.release(m_state.enterHotkeyId);
}

void SendComposer::onHotkey(int id)
{
    if (id == m_state.enterHotkeyId)
        sendFrame();
}

void SendComposer::countSent(size_t bytes)
{
    m_state.txCount += static_cast<int64_t>(bytes);
    m_txPart.setText(QStringLiteral("TX:%1").arg(m_state.txCount));
}

void SendComposer::sendFrame()
{
    if (!m_panel.lampShowsOpen()) {
        m_panel.togglePort();
        if (!m_panel.lampShowsOpen())
            return;
    }
    LogView &log = *ui.超级编辑框1;
    log.setInsertFormat(m_state.txFormat);
    const std::string sendText = ansi::fromQString(ui.编辑框_发送->text());
    const auto report = [&](const QString &message) { log.insertAtCaret(sendText + ansi::fromQString(message)); };

    if (sendText.empty()) {
        report(QStringLiteral("  → 发送数据为空！\r\n"));
        return;
    }
    std::string echo;
    if (ui.单选框_ASCII发送->isChecked()) {
        if (!m_link.sendText(sendText)) {
            report(QStringLiteral("  → 数据未能发送！\r\n"));
            return;
        }
        countSent(sendText.size());
        echo = sendText;
    } else {
        if (text::removeSpaces(sendText).size() % 2 != 0) {
            report(QStringLiteral("  → 数据输入长度错误,未能发送！"));
            return;
        }
        echo = composeHexFrame(sendText, ui.CRC选择框->isChecked(), ui.CRC反->isChecked());
        const std::string bytes = hexToBytes(echo);
        countSent(bytes.size()); // counted before the send, and kept when it fails
        if (!m_link.sendBytes(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())))) {
            report(QStringLiteral("  → 数据未能发送！\r\n"));
            return;
        }
    }

    // While auto-send runs without CRC, the list line is echoed whole, note included.
    const bool echoListLine = m_state.autoActive == 1 && !ui.CRC选择框->isChecked() && !m_state.autoCurrentLine.empty()
        && m_state.autoIndex >= 1 && static_cast<size_t>(m_state.autoIndex) <= m_state.autoLines.size();
    log.insertAtCaret((echoListLine ? m_state.autoLines[static_cast<size_t>(m_state.autoIndex) - 1] : echo) + "\r\n");
    log.scrollToBottom();
}
