#include "app/mainsettings.h"

#include "app/boxlines.h"
#include "platform/ansicodec.h"
#include "settings/settingskeys.h"
#include "settings/settingsstore.h"
#include "text/textrules.h"
#include "ui_mainwindow.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

const int MIN_WINDOW_SIDE = 60;
const int SCREEN_EDGE_MARGIN = 50;

} // namespace

std::string loopListBytes(const Ui::MainWindow &ui)
{
    return ansi::fromQString(linesOf(ui.编辑框_循环));
}

void selectStoredIndex(QComboBox *combo, int32_t index)
{
    if (index < 0 || combo->count() == 0)
        combo->setCurrentIndex(-1);
    else
        combo->setCurrentIndex(std::min(index, combo->count() - 1));
}

void restoreMainSettings(Ui::MainWindow &ui, QWidget &window, const SettingsStore &store, SharedState &state)
{
    using namespace settingskeys;
    selectStoredIndex(ui.组合框_端口, store.readInt(portSection(), portKey(), PORT_DEFAULT_INDEX));
    selectStoredIndex(ui.组合框_波特率, store.readInt(portSection(), baudRateKey(), BAUD_RATE_DEFAULT_INDEX));
    selectStoredIndex(ui.组合框_校验位, store.readInt(portSection(), parityKey(), PARITY_DEFAULT_INDEX));
    selectStoredIndex(ui.组合框_数据位, store.readInt(portSection(), dataBitsKey(), DATA_BITS_DEFAULT_INDEX));
    selectStoredIndex(ui.组合框_停止位, store.readInt(portSection(), stopBitsKey(), STOP_BITS_DEFAULT_INDEX));
    selectStoredIndex(ui.组合框_毫秒, store.readInt(moduleSection(), autoSendIntervalKey(), AUTO_SEND_INTERVAL_DEFAULT_INDEX));

    ui.编辑框1->setText(store.read(lineBreakIntervalSection(), lineBreakIntervalKey(), lineBreakIntervalDefault()));
    state.lineBreakMs = text::textToInt(ansi::fromQString(ui.编辑框1->text()));

    ui.选择框_自动换行->setChecked(store.readFlag(lineBreakSection(), lineBreakKey(), LINE_BREAK_DEFAULT));
    ui.CRC反->setChecked(store.readFlag(crcSection(), crcSwappedKey(), CRC_SWAPPED_DEFAULT));
    ui.编辑框_发送->setText(store.read(sendSection(), sendTextKey(), sendTextDefault()));
    setLines(ui.编辑框_循环, ansi::toQString(store.readLoopFile()));

    window.resize(std::max<int32_t>(store.readInt(sizeSection(), widthKey(), WIDTH_DEFAULT_PX), MIN_WINDOW_SIDE),
                  std::max<int32_t>(store.readInt(sizeSection(), heightKey(), HEIGHT_DEFAULT_PX), MIN_WINDOW_SIDE));

    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->size() : QSize();
    const int32_t top = store.readInt(positionSection(), topKey());
    if (top > 0 && top < screenSize.height() - SCREEN_EDGE_MARGIN)
        window.move(window.x(), top);
    const int32_t left = store.readInt(positionSection(), leftKey());
    if (left > 0 && left < screenSize.width() - SCREEN_EDGE_MARGIN)
        window.move(left, window.y());
}

void saveWindowGeometry(const QWidget &window, SettingsStore &store)
{
    if (window.isMaximized())
        return;
    using namespace settingskeys;
    store.writeInt(sizeSection(), widthKey(), window.width());
    store.writeInt(sizeSection(), heightKey(), window.height());
    store.writeInt(positionSection(), topKey(), window.y());
    store.writeInt(positionSection(), leftKey(), window.x());
}

void storeSendTextAndLoopList(const Ui::MainWindow &ui, SettingsStore &store)
{
    store.write(settingskeys::sendSection(), settingskeys::sendTextKey(), ui.编辑框_发送->text());
    store.writeLoopFile(loopListBytes(ui));
}

void connectPersistHandlers(Ui::MainWindow &ui, SettingsStore &store)
{
    using namespace settingskeys;
    const auto persistIndex = [&store](QComboBox *combo, const QString &section, const QString &key) {
        QObject::connect(combo, &QComboBox::activated, combo,
                         [&store, section, key](int index) { store.writeInt(section, key, index); });
    };
    persistIndex(ui.组合框_端口, portSection(), portKey());
    persistIndex(ui.组合框_波特率, portSection(), baudRateKey());
    persistIndex(ui.组合框_校验位, portSection(), parityKey());
    persistIndex(ui.组合框_数据位, portSection(), dataBitsKey());
    persistIndex(ui.组合框_停止位, portSection(), stopBitsKey());
    persistIndex(ui.组合框_毫秒, moduleSection(), autoSendIntervalKey());

    QObject::connect(ui.CRC反, &QCheckBox::clicked, ui.CRC反,
                     [&store](bool checked) { store.writeFlag(settingskeys::crcSection(), settingskeys::crcSwappedKey(), checked); });
}
