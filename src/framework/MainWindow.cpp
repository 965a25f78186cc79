#include "framework/MainWindow.h"

#include <QPointer>

namespace linkrake {
namespace {
QPointer<QWidget>& Current() {
  static QPointer<QWidget> window;
  return window;
}
}  // namespace

void SetMainWindow(QWidget* window) { Current() = window; }
QWidget* MainWindow() { return Current().data(); }

}  // namespace linkrake
