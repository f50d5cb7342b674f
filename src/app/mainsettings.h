#pragma once

#include "app/sharedstate.h"

#include <string>

class QComboBox;
class QWidget;
class SettingsStore;
namespace Ui {
class MainWindow;
}

// Selects a stored list index: past the end selects the last item; a negative
// index, or any index into an empty list, leaves no selection.
void selectStoredIndex(QComboBox *combo, int32_t index);

// Applies the main window's stored settings, in the order they are read.
void restoreMainSettings(Ui::MainWindow &ui, QWidget &window, const SettingsStore &store, SharedState &state);

// Size and place of the main window, written on closing unless maximized.
void saveWindowGeometry(const QWidget &window, SettingsStore &store);

// The loop list's text as the bytes of its file: lines separated by "\r\n".
std::string loopListBytes(const Ui::MainWindow &ui);

// Writes the send text and the loop list (run on every press of the port button).
void storeSendTextAndLoopList(const Ui::MainWindow &ui, SettingsStore &store);

// Connects the persist handlers of the controls whose state is stored as it changes.
void connectPersistHandlers(Ui::MainWindow &ui, SettingsStore &store);
