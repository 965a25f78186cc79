#pragma once
// The application's main window: owner of message boxes, file dialogs and of dialogs that
// were given no parent. Unset, they have no owner.
#include <QWidget>

namespace linkrake {

// Makes `window` the main window (nullptr clears it). The framework forgets a main window
// once it is destroyed.
void SetMainWindow(QWidget* window);
QWidget* MainWindow();

}  // namespace linkrake
