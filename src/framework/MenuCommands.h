#pragma once
// Menus whose items are commands: each command QAction holds its id as data().
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <string>
#include <vector>

namespace linkrake {

// The command id of a menu action; 0 for separators and popups.
int CommandIdOf(const QAction* action);
// Appends a command item with `text` ('&' marks the mnemonic, UTF-8 bytes) and `id`.
QAction* AppendMenuItem(QMenu& menu, int id, const std::string& text);
void AppendMenuSeparator(QMenu& menu);
// Every command action of a menu bar, popup by popup, top to bottom.
std::vector<QAction*> CommandActions(const QMenuBar& menuBar);
// The first command action of `menuBar` with `id`, or nullptr.
QAction* FindCommand(const QMenuBar& menuBar, int id);

}  // namespace linkrake
