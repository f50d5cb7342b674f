#include "batch/batchgenerator.h"

#include "app/boxlines.h"
#include "app/mainsettings.h"
#include "batch/requestlines.h"
#include "platform/ansicodec.h"
#include "settings/settingskeys.h"
#include "settings/settingsstore.h"
#include "text/textrules.h"
#include "ui_batchgenerator.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPointer>

namespace {

const int OLDER_MODULE_INDEX = 1;
const int VORN_ADDRESS_COUNT = 506;
const int OLDER_ADDRESS_COUNT = 255;
const int ADDRESS_IN_FRONT_INDEX = 0;
const int CLEARED_BOX_PAINT_MS = 1;

int32_t addressOf(const QComboBox *box) { return text::textToInt(ansi::fromQString(box->currentText())); }

} // namespace

BatchGenerator::BatchGenerator(SettingsStore &store, QPlainTextEdit *loopList, QCheckBox *crcBox, QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::BatchGenerator>())
    , m_store(store)
    , m_loopList(loopList)
    , m_crcBox(crcBox)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    // Typed texts are used as typed: no inline completion from the lists.
    for (QComboBox *box : {ui->组合框_地址起, ui->组合框_地址终, ui->组合框_自定义数据})
        box->setCompleter(nullptr);
    onCreated();

    connect(ui->组合框_模块类型, &QComboBox::activated, this, &BatchGenerator::onModuleTypeChosen);
    connect(ui->组合框_路数, &QComboBox::activated, this, &BatchGenerator::onChannelCountChosen);
    connect(ui->组合框_地址起, &QComboBox::activated, this, [this] { applyRangeRule(RangeSide::Start); });
    connect(ui->组合框_地址起->lineEdit(), &QLineEdit::textEdited, this, [this] { applyRangeRule(RangeSide::Start); });
    connect(ui->组合框_地址终, &QComboBox::activated, this, [this] { applyRangeRule(RangeSide::End); });
    ui->组合框_地址终->installEventFilter(this); // focus lost: see eventFilter
    connect(ui->单选框_默认数据, &QRadioButton::clicked, this, &BatchGenerator::onDefaultDataClicked);
    connect(ui->单选框_自定义数据, &QRadioButton::clicked, this, &BatchGenerator::onCustomDataClicked);
    connect(ui->按钮_生成, &QPushButton::clicked, this, &BatchGenerator::onGenerateClicked);
    connect(ui->按钮_加入, &QPushButton::clicked, this, &BatchGenerator::onAddClicked);
    connect(ui->按钮_关闭, &QPushButton::clicked, this, &QWidget::close);
}

BatchGenerator::~BatchGenerator()
{
    ui->组合框_地址终->removeEventFilter(this);
}

void BatchGenerator::openModal(SettingsStore &store, QPlainTextEdit *loopList, QCheckBox *crcBox, QWidget *parent)
{
    // exec() deletes a window that has Qt::WA_DeleteOnClose once it is closed.
    auto *window = new BatchGenerator(store, loopList, crcBox, parent);
    window->exec();
}

bool BatchGenerator::eventFilter(QObject *watched, QEvent *event)
{
    // Opening the box's own list is not leaving the box.
    if (watched == ui->组合框_地址终 && event->type() == QEvent::FocusOut
        && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
        applyRangeRule(RangeSide::End);
    return QDialog::eventFilter(watched, event);
}

void BatchGenerator::onCreated()
{
    using namespace settingskeys;
    selectStoredIndex(ui->组合框_模块类型, m_store.readInt(moduleSection(), moduleTypeKey(), MODULE_TYPE_DEFAULT_INDEX));
    selectStoredIndex(ui->组合框_路数, m_store.readInt(moduleSection(), channelCountKey(), CHANNEL_COUNT_DEFAULT_INDEX));
    ui->组合框_地址起->setEditText(m_store.read(moduleSection(), firstAddressKey(), firstAddressDefault()));
    ui->组合框_地址终->setEditText(m_store.read(moduleSection(), lastAddressKey(), lastAddressDefault()));
    const bool older = ui->组合框_模块类型->currentIndex() == OLDER_MODULE_INDEX;
    ui->组合框_路数->setEnabled(!older);
    fillAddressLists(older ? OLDER_ADDRESS_COUNT : VORN_ADDRESS_COUNT);
}

void BatchGenerator::fillAddressLists(int count)
{
    QStringList addresses;
    addresses.reserve(count);
    for (int i = 1; i <= count; ++i)
        addresses << QString::number(i);
    for (QComboBox *box : {ui->组合框_地址起, ui->组合框_地址终}) {
        const QString text = box->currentText();
        box->clear();
        box->addItems(addresses);
        box->setCurrentIndex(-1);
        box->setEditText(text);
    }
}

void BatchGenerator::onModuleTypeChosen(int index)
{
    const bool vorn = isVornModuleText(ansi::fromQString(ui->组合框_模块类型->currentText()));
    ui->组合框_路数->setEnabled(vorn);
    fillAddressLists(vorn ? VORN_ADDRESS_COUNT : OLDER_ADDRESS_COUNT);
    m_store.writeInt(settingskeys::moduleSection(), settingskeys::moduleTypeKey(), index);
}

void BatchGenerator::onChannelCountChosen(int index)
{
    m_store.writeInt(settingskeys::moduleSection(), settingskeys::channelCountKey(), index);
}

void BatchGenerator::applyRangeRule(RangeSide changed)
{
    QComboBox *start = ui->组合框_地址起;
    QComboBox *end = ui->组合框_地址终;
    if (addressOf(start) > addressOf(end)) {
        if (changed == RangeSide::Start)
            end->setEditText(start->currentText());
        else
            start->setEditText(end->currentText());
    }
    m_store.write(settingskeys::moduleSection(), settingskeys::firstAddressKey(), start->currentText());
    m_store.write(settingskeys::moduleSection(), settingskeys::lastAddressKey(), end->currentText());
}

void BatchGenerator::onDefaultDataClicked()
{
    ui->组合框_路数->show();
    ui->组合框_模块类型->show();
    ui->组合框_自定义数据->hide();
    ui->组合框_地址在前->hide();
}

void BatchGenerator::onCustomDataClicked()
{
    ui->组合框_路数->hide();
    ui->组合框_模块类型->hide();
    ui->组合框_自定义数据->show();
    ui->组合框_地址在前->show();
}

void BatchGenerator::onGenerateClicked()
{
    ui->编辑框1->clear();
    const QPointer<BatchGenerator> alive(this);
    QCoreApplication::processEvents(QEventLoop::AllEvents, CLEARED_BOX_PAINT_MS);
    if (!alive)
        return;

    RequestLineChoice choice;
    choice.mode = ui->单选框_默认数据->isChecked() ? RequestMode::DefaultData : RequestMode::CustomData;
    choice.moduleTypeText = ansi::fromQString(ui->组合框_模块类型->currentText());
    choice.channelText = ansi::fromQString(ui->组合框_路数->currentText());
    choice.customText = ansi::fromQString(ui->组合框_自定义数据->currentText());
    choice.addressInFront = ui->组合框_地址在前->currentIndex() == ADDRESS_IN_FRONT_INDEX;
    choice.start = addressOf(ui->组合框_地址起);
    choice.end = addressOf(ui->组合框_地址终);
    setLines(ui->编辑框1, ansi::toQString(buildRequestLines(choice)));
}

void BatchGenerator::onAddClicked()
{
    setLines(m_loopList, linesOf(ui->编辑框1));
    m_crcBox->setChecked(false);
}
