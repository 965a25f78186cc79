#pragma once
// The framework's message box: modal, captioned with the application's name, owned by the main
// window. The box itself is a service, so that a test can answer it without a window.
#include <string>

class QWidget;

namespace linkrake {

// Buttons (the low four bits of the type).
inline constexpr unsigned MB_OK = 0x0;
inline constexpr unsigned MB_OKCANCEL = 0x1;
inline constexpr unsigned MB_YESNOCANCEL = 0x3;
inline constexpr unsigned MB_YESNO = 0x4;
inline constexpr unsigned MB_TYPEMASK = 0xF;
// Icons.
inline constexpr unsigned MB_ICONERROR = 0x10;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;
inline constexpr unsigned MB_ICONMASK = 0xF0;
// The button pressed (IDOK and IDCANCEL are in res/ResourceIds.h).
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

struct MessageBoxRequest {
  std::string text;  // UTF-8 bytes; "\n" breaks the line
  std::string caption;
  unsigned type = MB_OK;  // buttons | icon, the icon always named (see AfxMessageBox)
  QWidget* owner = nullptr;
};

class IMessageBoxService {
 public:
  virtual ~IMessageBoxService() = default;
  // Shows the box modally; returns the button pressed (IDOK, IDCANCEL, IDYES, IDNO).
  virtual int Show(const MessageBoxRequest& request) = 0;
};

// Makes `service` the one boxes go to (nullptr: the real Qt box); returns the one before.
IMessageBoxService* SetMessageBoxService(IMessageBoxService* service);

// Caption: AppName(); owner: MainWindow(). A box of type OK, OK-Cancel, Yes-No or
// Yes-No-Cancel that names no icon gets the exclamation icon.
int AfxMessageBox(const std::string& text, unsigned type = MB_OK);

// Puts a service in place for one scope (tests).
class ScopedMessageBoxService {
 public:
  explicit ScopedMessageBoxService(IMessageBoxService& service)
      : previous_(SetMessageBoxService(&service)) {}
  ~ScopedMessageBoxService() { SetMessageBoxService(previous_); }
  ScopedMessageBoxService(const ScopedMessageBoxService&) = delete;
  ScopedMessageBoxService& operator=(const ScopedMessageBoxService&) = delete;

 private:
  IMessageBoxService* previous_;
};

}  // namespace linkrake
