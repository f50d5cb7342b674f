#pragma once

#include "app/selectiontipview.h"

#include <QObject>
#include <QString>

#include <functional>

class QFileDialog;
class QLabel;
class QMenu;
class QWidget;
struct SharedState;
namespace Ui {
class MainWindow;
}

// The commands around the log: its popup menu with the edit commands, clear,
// save, and the coupling of the send and display modes with the CRC box.
// Owns the conversion balloons over the log's selection.
class LogCommands : public QObject
{
    Q_OBJECT
public:
    // Returns the path the user chose to save to, or an empty text for cancel.
    using SavePathChooser = std::function<QString(QWidget *parent)>;

    LogCommands(Ui::MainWindow &ui, QMenu &logMenu, QLabel &rxPart, QLabel &txPart, SharedState &state,
                QObject *parent = nullptr);

    void showLogMenu();
    void selectAll();
    void copy();
    void cut();
    void deleteSelection();
    void paste();
    void clearLog();
    void saveLog();

    void onHexSendClicked(bool checked);
    void onTextSendClicked(bool checked);
    void onHexDisplayClicked(bool checked);
    void onTextDisplayClicked(bool checked);

    // Replaces the save dialog, so that tests need not answer a modal window.
    void setSavePathChooser(SavePathChooser chooser) { m_choosePath = std::move(chooser); }
    // The save dialog's fixed configuration: filters, initial folder, save mode.
    static void configureSaveDialog(QFileDialog &dialog);
    static QString chooseSavePath(QWidget *parent);

    SelectionTipView &selectionTips() { return m_tips; }

private:
    Ui::MainWindow &ui;
    QMenu &m_menu;
    QLabel &m_rxPart;
    QLabel &m_txPart;
    SharedState &m_state;
    SavePathChooser m_choosePath = &LogCommands::chooseSavePath;
    SelectionTipView m_tips;
};
