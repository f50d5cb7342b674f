#include "app/mainwindow.h"

#include "app/layoutrules.h"
#include "app/mainsettings.h"
#include "app/autosender.h"
#include "app/lampwidget.h"
#include "app/logcommands.h"
#include "app/portpanel.h"
#include "batch/batchgenerator.h"
#include "calc/calculatorwindow.h"
#include "app/receiveview.h"
#include "app/sendcomposer.h"
#include "platform/enterhotkey.h"
#include "platform/fonts.h"
#include "serial/portdiscovery.h"
#include "serial/seriallink.h"
#include "settings/settingsstore.h"
#include "ui_mainwindow.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>

namespace {

const int DESIGN_WIDTH = 727;
const int DESIGN_HEIGHT = 536;
const int STATUS_PART_WIDTHS[3] = {60, 60, 800};
const int STATUS_RX = 0;
const int STATUS_TX = 1;
const uint32_t TX_COLOR = 0x008000;
const uint32_t RX_COLOR = 0xFF0000;
const uint32_t LOOP_COLOR = 0x808080;
const int32_t LOG_FONT_PT = 11;

void setWidth(QWidget *w, int width) { w->resize(std::max(width, 0), w->height()); }
void setHeight(QWidget *w, int height) { w->resize(w->width(), std::max(height, 0)); }
void setLeft(QWidget *w, int left) { w->move(left, w->y()); }
void setTop(QWidget *w, int top) { w->move(w->x(), top); }

} // namespace

MainWindow::MainWindow(SharedState &state, QWidget *parent)
    : QMainWindow(parent)
    , m_state(state)
    , ui(std::make_unique<Ui::MainWindow>())
    , m_settings(std::make_unique<SettingsStore>())
{
    platform::installFontSubstitutes();
    ui->setupUi(this);
    时钟Vorn发送.setObjectName(QStringLiteral("时钟Vorn发送"));
    时钟_换行.setObjectName(QStringLiteral("时钟_换行"));
    ui->标签->hide();
    // A typed interval is taken as typed, never completed to a listed one.
    ui->组合框_毫秒->setCompleter(nullptr);
    setUpStatusBar();
    setUpLogMenu();
    connect(ui->窗口最前选择框, &QCheckBox::clicked, this, &MainWindow::onAlwaysOnTopClicked);

    // Centred on the primary screen for the design size; the restore below may
    // change the size but keeps this place unless a stored one applies.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - DESIGN_WIDTH) / 2, area.y() + (area.height() - DESIGN_HEIGHT) / 2);
    }
    resize(DESIGN_WIDTH, DESIGN_HEIGHT);
    onMainWindowCreated();
    createComponents();
}

// The components and persist handlers are connected after the restore, so
// restoring writes nothing back.
void MainWindow::createComponents()
{
    m_link = new SerialLink(this);
    m_link->setObjectName(QStringLiteral("端口1"));
    m_portPanel = new PortPanel(*ui, *m_link, *m_settings, this);
    auto *hotkey = new EnterHotkey(this);
    m_sendComposer = new SendComposer(*ui, *m_portPanel, *m_link, *hotkey, *m_statusParts[STATUS_TX], m_state, this);
    m_receiveView = new ReceiveView(*ui, 时钟_换行, *m_statusParts[STATUS_RX], m_state, *m_settings, this);
    connect(m_link, &SerialLink::bytesReceived, m_receiveView, &ReceiveView::onBytesReceived);
    m_autoSender = new AutoSender(*ui, 时钟Vorn发送, *m_portPanel, *m_sendComposer, m_state, this);
    connect(m_portPanel, &PortPanel::portLost, m_autoSender, [this] {
        if (m_autoSender->isRunning())
            m_autoSender->stop();
    });
    connect(m_receiveView, &ReceiveView::frameClosed, this, [this](const std::string &frame) {
        if (m_calculator)
            m_calculator->processFrame(frame);
    });
    connect(ui->菜单_打开计算窗口, &QAction::triggered, this, &MainWindow::openCalculator);
    connect(ui->外形框_自动发送, &LampWidget::rightButtonReleased, this,
            [this] { BatchGenerator::openModal(*m_settings, ui->编辑框_循环, ui->CRC选择框, this); });
    m_logCommands = new LogCommands(*ui, *m_logMenu, *m_statusParts[STATUS_RX], *m_statusParts[STATUS_TX], m_state, this);
    connectPersistHandlers(*ui, *m_settings);
}

CalculatorWindow *MainWindow::calculator() const { return m_calculator; }

void MainWindow::openCalculator()
{
    CalculatorWindow::openOrRaise(m_calculator, m_state, *m_settings, this);
}

// The calculator stores its columns through the settings store, which goes
// with this window: close it first. The controls go next, while the form and
// the components whose event filters watch them still exist.
MainWindow::~MainWindow()
{
    delete m_calculator;
    delete takeCentralWidget();
}

QLabel *MainWindow::statusPart(int index) const { return m_statusParts[index]; }

void MainWindow::setUpStatusBar()
{
    const char *texts[3] = {"RX:0", "TX:0", ""};
    const QString tips[3] = {QStringLiteral("接收字节数"), QStringLiteral("发送字节数"), QString()};
    for (int i = 0; i < 3; ++i) {
        auto *part = new QLabel(QString::fromLatin1(texts[i]), ui->状态条1);
        if (i < 2)
            part->setFixedWidth(STATUS_PART_WIDTHS[i]);
        else // takes what is left, so it never holds the window wider than the user makes it
            part->setMaximumWidth(STATUS_PART_WIDTHS[i]);
        part->setToolTip(tips[i]);
        part->setFrameShape(QFrame::Panel);
        part->setFrameShadow(QFrame::Sunken);
        ui->状态条1->addWidget(part, i < 2 ? 0 : 1);
        m_statusParts[i] = part;
    }
    m_statusParts[2]->setText(QStringLiteral("16进制发送时可加CRC16校验；右键点击接收区可合并转换、打开计算窗口"));
    ui->状态条1->setSizeGripEnabled(true);
    // The parts are clipped in a narrow window rather than holding it wide.
    ui->状态条1->setSizePolicy(QSizePolicy::Ignored, ui->状态条1->sizePolicy().verticalPolicy());
}

void MainWindow::setUpLogMenu()
{
    m_logMenu = new QMenu(QStringLiteral("菜单"), this);
    m_logMenu->setObjectName(QStringLiteral("菜单"));
    m_logMenu->addActions({ui->菜单_合并转10进制, ui->菜单_打开计算窗口, ui->菜单_清空, ui->菜单_删除,
                           ui->菜单_全选, ui->菜单_剪切, ui->菜单_复制, ui->菜单_粘贴});
    ui->超级编辑框1->setContextMenuPolicy(Qt::CustomContextMenu);
}

void MainWindow::onMainWindowCreated()
{
    m_state.txFormat.sizePt = LOG_FONT_PT;
    m_state.txFormat.color = TX_COLOR;
    m_state.rxFormat.sizePt = LOG_FONT_PT;
    m_state.rxFormat.color = RX_COLOR;
    m_state.loopFormat.sizePt = LOG_FONT_PT;
    m_state.loopFormat.color = LOOP_COLOR;

    ui->组合框_端口->clear();
    std::vector<PortEntry> ports;
    if (discoverPorts(ports)) {
        for (const PortEntry &port : ports) {
            ui->组合框_端口->addItem(port.name);
            const QString tip = port.description.isEmpty() ? port.device : port.device + QStringLiteral(" - ") + port.description;
            ui->组合框_端口->setItemData(ui->组合框_端口->count() - 1, tip, Qt::ToolTipRole);
        }
    }
    restoreMainSettings(*ui, *this, *m_settings, m_state);
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    onMainWindowResized();
}

void MainWindow::onMainWindowResized()
{
    MainLayoutBase base;
    base.sendBoxLeft = ui->编辑框_发送->x();
    base.sendButtonWidth = ui->按钮_发送->width();
    base.logTop = ui->超级编辑框1->y();
    base.autoGroupHeight = ui->分组框2->height();
    const MainLayout l = computeMainLayout(width(), height(), base);
    setWidth(ui->编辑框_发送, l.sendBoxWidth);
    setLeft(ui->按钮_发送, l.sendButtonLeft);
    setLeft(ui->分组框1, l.rightPanelsLeft);
    setLeft(ui->分组框3, l.rightPanelsLeft);
    setWidth(ui->图片框1, l.stripWidth);
    setWidth(ui->超级编辑框1, l.logWidth);
    setHeight(ui->超级编辑框1, l.logHeight);
    setTop(ui->分组框2, l.autoGroupTop);
    setWidth(ui->分组框2, l.autoGroupWidth);
    setWidth(ui->编辑框_循环, l.loopListWidth);
    setLeft(ui->图片框_分组, l.autoControlsLeft);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    onMainWindowClosing();
    QMainWindow::closeEvent(event);
}

void MainWindow::onMainWindowClosing()
{
    saveWindowGeometry(*this, *m_settings);
    if (m_calculator)
        m_calculator->close(); // its columns are kept when the program ends with it open
}

void MainWindow::onAlwaysOnTopClicked(bool checked)
{
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, checked);
    if (wasVisible)
        show(); // changing the flags hides the window
}
