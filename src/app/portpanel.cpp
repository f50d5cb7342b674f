#include "app/portpanel.h"

#include "app/lampwidget.h"
#include "app/mainsettings.h"
#include "platform/ansicodec.h"
#include "serial/seriallink.h"
#include "text/textrules.h"
#include "ui_mainwindow.h"

namespace {

const uint32_t LAMP_OPEN = 0x00FF00;
const int PORT_PREFIX_BYTES = 3; // "COM"

int32_t selectedNumber(const QComboBox *combo)
{
    return combo->currentIndex() < 0 ? 0 : text::textToInt(ansi::fromQString(combo->currentText()));
}

} // namespace

PortPanel::PortPanel(Ui::MainWindow &ui, SerialLink &link, SettingsStore &store, QObject *parent)
    : QObject(parent)
    , ui(ui)
    , m_link(link)
    , m_store(store)
{
    connect(ui.按钮_打开串口, &QPushButton::clicked, this, &PortPanel::togglePort);
    connect(&m_link, &SerialLink::deviceLost, this, &PortPanel::onDeviceLost);
}

bool PortPanel::lampShowsOpen() const
{
    return ui.串口状态外形框->fillColor() != LampWidget::NO_FILL;
}

void PortPanel::togglePort()
{
    storeSendTextAndLoopList(ui, m_store);

    const std::string portText = ansi::fromQString(ui.组合框_端口->currentText());
    SerialSettings settings;
    settings.portNumber = text::textToInt(portText.size() > PORT_PREFIX_BYTES ? portText.substr(PORT_PREFIX_BYTES) : std::string());
    settings.baudRate = selectedNumber(ui.组合框_波特率);
    settings.dataBits = selectedNumber(ui.组合框_数据位);
    settings.stopBitsCode = ui.组合框_停止位->currentIndex() + 1;
    settings.parityCode = ui.组合框_校验位->currentIndex();
    m_link.setSettings(settings);
    m_link.close();

    if (ui.按钮_打开串口->text() == QStringLiteral("打开串口")) {
        if (!m_link.open()) {
            ui.超级编辑框1->insertAtCaret(QStringLiteral("  → 端口打开失败！可能被其他程序占用。\r\n"));
            return;
        }
        showState(true);
    } else {
        m_link.close();
        showState(false);
    }
}

void PortPanel::showState(bool open)
{
    for (QComboBox *list : {ui.组合框_端口, ui.组合框_波特率, ui.组合框_数据位, ui.组合框_停止位, ui.组合框_校验位})
        list->setEnabled(!open);
    ui.串口状态外形框->setFillColor(open ? LAMP_OPEN : LampWidget::NO_FILL);
    ui.按钮_打开串口->setText(open ? QStringLiteral("关闭串口") : QStringLiteral("打开串口"));
}

void PortPanel::onDeviceLost()
{
    showState(false);
    ui.超级编辑框1->insertAtCaret(QStringLiteral("  → 串口已断开！\r\n"));
    emit portLost();
}
