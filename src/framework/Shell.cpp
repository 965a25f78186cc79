#include "framework/Shell.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>
#include <utility>

namespace linkrake {
namespace {

class DesktopShellService : public IShellService {
 public:
  bool Open(const std::string& target) override {
    if (target.empty() || !qApp) return false;
    const QString text = QString::fromUtf8(target.data(), static_cast<qsizetype>(target.size()));
    QUrl url(text, QUrl::StrictMode);
    // A name without a scheme is a file, as the desktop's "open" takes it.
    if (!url.isValid() || url.scheme().isEmpty()) url = QUrl::fromLocalFile(text);
    return QDesktopServices::openUrl(url);
  }
  void Beep() override {
    if (qApp) QApplication::beep();
  }
};

IShellService*& Current() {
  static IShellService* service = nullptr;
  return service;
}

IShellService& Service() {
  static DesktopShellService real;
  return Current() ? *Current() : real;
}

}  // namespace

IShellService* SetShellService(IShellService* service) { return std::exchange(Current(), service); }

bool ShellOpen(const std::string& target) { return Service().Open(target); }
void MessageBeep() { Service().Beep(); }

}  // namespace linkrake
