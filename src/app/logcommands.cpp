#include "app/logcommands.h"

#include "app/sharedstate.h"
#include "platform/safefile.h"
#include "ui_mainwindow.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QCursor>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>

namespace {

// Qt reads the patterns from the ASCII parentheses at the end; the details are
// hidden, so the dialog lists the descriptions as they are.
const char *const SAVE_FILTERS[] = {"文本文档（*.txt） (*.txt)", "word文档（*.doc） (*.doc)"};
const char *const SAVE_SUFFIXES[] = {"txt", "doc"};

bool clipboardHoldsText()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

} // namespace

LogCommands::LogCommands(Ui::MainWindow &ui, QMenu &logMenu, QLabel &rxPart, QLabel &txPart, SharedState &state,
                         QObject *parent)
    : QObject(parent)
    , ui(ui)
    , m_menu(logMenu)
    , m_rxPart(rxPart)
    , m_txPart(txPart)
    , m_state(state)
    , m_tips(*ui.超级编辑框1, *ui.菜单_合并转10进制)
{
    connect(ui.超级编辑框1, &QWidget::customContextMenuRequested, this, &LogCommands::showLogMenu);
    connect(ui.菜单_清空, &QAction::triggered, this, &LogCommands::clearLog);
    connect(ui.菜单_删除, &QAction::triggered, this, &LogCommands::deleteSelection);
    connect(ui.菜单_全选, &QAction::triggered, this, &LogCommands::selectAll);
    connect(ui.菜单_剪切, &QAction::triggered, this, &LogCommands::cut);
    connect(ui.菜单_复制, &QAction::triggered, this, &LogCommands::copy);
    connect(ui.菜单_粘贴, &QAction::triggered, this, &LogCommands::paste);
    connect(ui.清除显示按钮, &QPushButton::clicked, this, &LogCommands::clearLog);
    connect(ui.按钮_保存, &QPushButton::clicked, this, &LogCommands::saveLog);
    // Only the user's clicks couple the modes; restoring or setting a state does not.
    connect(ui.单选框_16发送, &QRadioButton::clicked, this, &LogCommands::onHexSendClicked);
    connect(ui.单选框_ASCII发送, &QRadioButton::clicked, this, &LogCommands::onTextSendClicked);
    connect(ui.单选框_16显示, &QRadioButton::clicked, this, &LogCommands::onHexDisplayClicked);
    connect(ui.单选框_ASCII显示, &QRadioButton::clicked, this, &LogCommands::onTextDisplayClicked);
}

void LogCommands::showLogMenu()
{
    const LogView &log = *ui.超级编辑框1;
    const bool hasSelection = !log.selectedPlainText().isEmpty();
    for (QAction *action : {ui.菜单_复制, ui.菜单_删除, ui.菜单_剪切, ui.菜单_合并转10进制})
        action->setEnabled(hasSelection);
    const bool hasText = !log.isEmptyText();
    ui.菜单_清空->setEnabled(hasText);
    ui.菜单_全选->setEnabled(hasText);
    ui.菜单_粘贴->setEnabled(clipboardHoldsText());
    m_menu.popup(QCursor::pos());
}

void LogCommands::selectAll() { ui.超级编辑框1->selectAll(); }

void LogCommands::copy()
{
    // Setting the text replaces whatever the clipboard held.
    QGuiApplication::clipboard()->setText(ui.超级编辑框1->selectedPlainText());
}

void LogCommands::cut()
{
    copy();
    deleteSelection();
}

void LogCommands::deleteSelection() { ui.超级编辑框1->deleteSelection(); }

void LogCommands::paste() { ui.超级编辑框1->insertAtCaret(QGuiApplication::clipboard()->text()); }

// The received-frame text, a pending lead byte and the line-break timer stay:
// a frame being collected still gets its line break and reaches the calculator.
void LogCommands::clearLog()
{
    ui.超级编辑框1->setWholeText(std::string());
    m_state.txCount = 0;
    m_state.rxCount = 0;
    m_txPart.setText(QStringLiteral("TX:0"));
    m_rxPart.setText(QStringLiteral("RX:0"));
}

void LogCommands::configureSaveDialog(QFileDialog &dialog)
{
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDirectory(QCoreApplication::applicationDirPath());
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    QStringList filters;
    for (const char *filter : SAVE_FILTERS)
        filters << QString::fromUtf8(filter);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.front());
    // A name typed without extension gets the one of the chosen entry.
    dialog.setDefaultSuffix(QString::fromLatin1(SAVE_SUFFIXES[0]));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, filters](const QString &filter) {
        const qsizetype index = filters.indexOf(filter);
        if (index >= 0)
            dialog.setDefaultSuffix(QString::fromLatin1(SAVE_SUFFIXES[index]));
    });
}

QString LogCommands::chooseSavePath(QWidget *parent)
{
    QFileDialog dialog(parent);
    configureSaveDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().front();
}

// The file is replaced whole or not at all; a failed write is not reported.
void LogCommands::saveLog()
{
    const QString path = m_choosePath(ui.超级编辑框1->window());
    if (path.isEmpty())
        return;
    safefile::writeAll(path, ui.超级编辑框1->wholeText(), {}, safefile::Owner::User);
}

void LogCommands::onTextSendClicked(bool checked)
{
    if (!checked)
        return;
    ui.单选框_ASCII显示->setChecked(true);
    ui.单选框_16显示->setChecked(false);
    ui.CRC选择框->setChecked(false);
    ui.CRC选择框->setEnabled(false);
}

void LogCommands::onHexSendClicked(bool checked)
{
    if (!checked)
        return;
    ui.单选框_16显示->setChecked(true);
    ui.单选框_ASCII显示->setChecked(false);
    ui.CRC选择框->setEnabled(true);
}

void LogCommands::onTextDisplayClicked(bool checked)
{
    if (checked)
        ui.单选框_16显示->setChecked(false);
}

void LogCommands::onHexDisplayClicked(bool checked)
{
    if (checked)
        ui.单选框_ASCII显示->setChecked(false);
}
