#include "framework/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <vector>

#include "framework/AppName.h"
#include "framework/MainWindow.h"
#include "res/ResourceIds.h"

namespace linkrake {
namespace {

QString Text(const std::string& bytes) {
  return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QMessageBox::Icon IconOf(unsigned type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONERROR: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

// The buttons of a box type, left to right, each with the code it answers.
std::vector<std::pair<QMessageBox::StandardButton, int>> ButtonsOf(unsigned type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNOCANCEL:
      return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO: return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    default: return {{QMessageBox::Ok, IDOK}};
  }
}

class QtMessageBoxService : public IMessageBoxService {
 public:
  int Show(const MessageBoxRequest& request) override {
    const auto buttons = ButtonsOf(request.type);
    if (!qApp) return buttons.back().second;
    QMessageBox box(request.owner);
    box.setWindowTitle(Text(request.caption));
    box.setTextFormat(Qt::PlainText);
    box.setText(Text(request.text));
    box.setIcon(IconOf(request.type));
    QAbstractButton* cancel = nullptr;
    for (const auto& [button, code] : buttons) {
      QPushButton* added = box.addButton(button);
      if (code == IDCANCEL) cancel = added;
    }
    // The first button is the default; Escape answers Cancel, or OK in a box that has only OK.
    box.setDefaultButton(buttons.front().first);
    if (cancel) box.setEscapeButton(cancel);
    else if (buttons.size() == 1) box.setEscapeButton(box.button(buttons.front().first));
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (const auto& [button, code] : buttons)
      if (clicked && clicked == box.button(button)) return code;
    return cancel ? IDCANCEL : buttons.back().second;
  }
};

IMessageBoxService*& Current() {
  static IMessageBoxService* service = nullptr;
  return service;
}

IMessageBoxService& Service() {
  static QtMessageBoxService real;
  return Current() ? *Current() : real;
}

bool NamesStandardButtons(unsigned type) {
  switch (type & MB_TYPEMASK) {
    case MB_OK:
    case MB_OKCANCEL:
    case MB_YESNO:
    case MB_YESNOCANCEL: return true;
    default: return false;
  }
}

}  // namespace

IMessageBoxService* SetMessageBoxService(IMessageBoxService* service) {
  return std::exchange(Current(), service);
}

int AfxMessageBox(const std::string& text, unsigned type) {
  if ((type & MB_ICONMASK) == 0 && NamesStandardButtons(type)) type |= MB_ICONEXCLAMATION;
  MessageBoxRequest request;
  request.text = text;
  request.caption = AppName();
  request.type = type;
  request.owner = MainWindow();
  return Service().Show(request);
}

}  // namespace linkrake
