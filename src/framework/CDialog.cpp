#include "framework/CDialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLayout>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QWindow>
#include <algorithm>

#include "framework/ControlProperties.h"
#include "framework/DataExchange.h"
#include "framework/MainWindow.h"
#include "framework/MenuCommands.h"
#include "framework/ModalHook.h"
#include "res/WindowStyles.h"

namespace linkrake {

CDialog::CDialog(int templateId, QWidget* parent) : QDialog(parent), templateId_(templateId) {
  auto* windowMenuKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
  connect(windowMenuKey, &QShortcut::activated, this, [this] {
    if (systemMenu_) systemMenu_->popup(mapToGlobal(QPoint(0, 0)));
  });
}

CDialog::~CDialog() = default;

int CDialog::DoModal() {
  const DialogTemplate* dialogTemplate = FindDialogTemplate(templateId_);
  if (!dialogTemplate || running_) return -1;
  DestroyControls();
  built_ = DialogBuilder::Build(*this, *dialogTemplate);
  for (QWidget* control : built_.controls) ConnectCommandSource(control);
  if (built_.menuBar) {
    for (QAction* action : CommandActions(*built_.menuBar))
      connect(action, &QAction::triggered, this, [this, action] { RouteCommand(CommandIdOf(action)); });
  }
  BuildSystemMenu(dialogTemplate->style);

  // A dialog given no parent is owned by the main window while it runs, as message boxes are.
  bool borrowedOwner = false;
  if (!parentWidget()) {
    QWidget* owner = MainWindow();
    if (owner && owner->window() != this) {
      setParent(owner, windowFlags());
      borrowedOwner = true;
    }
  }

  running_ = true;
  ended_ = false;
  endCode_ = IDCANCEL;
  if (OnInitDialog() && !ended_) FocusFirstTabStop();
  if (!ended_) {
    QTimer::singleShot(0, this, [this] {
      if (IsRunning()) ModalHook::DialogIsRunning(*this);
    });
    const int result = exec();
    if (!ended_) endCode_ = result == QDialog::Rejected ? IDCANCEL : result;
  }
  hide();
  OnDestroy();
  running_ = false;
  if (borrowedOwner) setParent(nullptr, windowFlags());
  return endCode_;
}

void CDialog::EndDialog(int code) {
  endCode_ = code;
  ended_ = true;
  QDialog::done(code);
}

bool CDialog::UpdateData(bool saveAndValidate) {
  CDataExchange dx(*this, saveAndValidate);
  DoDataExchange(dx);
  return !dx.failed();
}

QWidget* CDialog::GetDlgItem(int id) const {
  for (QWidget* control : built_.controls)
    if (GetControlId(control) == id) return control;
  return nullptr;
}

std::string CDialog::GetDlgItemText(int id) const { return GetWindowText(GetDlgItem(id)); }

void CDialog::SetDlgItemText(int id, const std::string& text) {
  if (QWidget* control = GetDlgItem(id)) SetWindowText(control, text);
}

void CDialog::OnCommand(int id, CommandHandler handler) { commands_[id] = std::move(handler); }

bool CDialog::RouteCommand(int id) {
  if (auto it = commands_.find(id); it != commands_.end()) {
    CommandHandler handler = it->second;  // a handler may register others meanwhile
    handler();
    return true;
  }
  if (id == IDOK) {
    OnOK();
    return true;
  }
  if (id == IDCANCEL) {
    OnCancel();
    return true;
  }
  return false;
}

void CDialog::UpdateWindow() {
  if (!isVisible()) return;
  repaint();
}

bool CDialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void CDialog::DoDataExchange(CDataExchange&) {}

void CDialog::OnOK() {
  if (!UpdateData(true)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::OnDestroy() {}

void CDialog::OnSysCommand(unsigned id, long) {
  switch (id & 0xFFF0u) {
    case SC_CLOSE: RouteCommand(IDCANCEL); break;
    case SC_MINIMIZE: showMinimized(); break;
    case SC_RESTORE: showNormal(); break;
    case SC_MOVE:
      if (windowHandle()) windowHandle()->startSystemMove();
      break;
    default: break;
  }
}

void CDialog::accept() { RouteCommand(IDOK); }
void CDialog::reject() { RouteCommand(IDCANCEL); }

void CDialog::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const bool plain = event->modifiers() == Qt::NoModifier ||
                     (event->modifiers() == Qt::KeypadModifier && event->key() == Qt::Key_Enter);
  if (enter && plain && IsRunning() && !HasDefaultButton()) {
    RouteCommand(IDOK);
    return;
  }
  QDialog::keyPressEvent(event);  // Enter presses the default button; Escape calls reject()
}

void CDialog::closeEvent(QCloseEvent* event) {
  if (!IsRunning()) {
    QDialog::closeEvent(event);
    return;
  }
  OnSysCommand(SC_CLOSE, 0);
  if (IsRunning()) event->ignore();
  else event->accept();
}

bool CDialog::ReplaceControl(int id, QWidget* replacement, bool callerOwned) {
  const DialogTemplate* dialogTemplate = FindDialogTemplate(templateId_);
  auto it = std::find_if(built_.controls.begin(), built_.controls.end(),
                         [id](QWidget* control) { return GetControlId(control) == id; });
  if (!dialogTemplate || !replacement || it == built_.controls.end()) return false;
  const auto index = static_cast<std::size_t>(it - built_.controls.begin());
  if (index >= dialogTemplate->controls.size()) return false;
  QWidget* old = *it;
  if (old == replacement) return true;

  replacement->setParent(built_.client);
  DialogBuilder::Configure(*replacement, dialogTemplate->controls[index], built_.baseUnits);
  // What the dialog changed since the build carries over.
  replacement->setGeometry(old->geometry());
  if (dialogTemplate->controls[index].kind() != ControlKind::StaticIcon)
    SetWindowText(replacement, GetWindowText(old));
  SetStyle(replacement, GetStyle(old));
  auto* oldButton = qobject_cast<QAbstractButton*>(old);
  auto* newButton = qobject_cast<QAbstractButton*>(replacement);
  if (oldButton && newButton && oldButton->group()) oldButton->group()->addButton(newButton);
  const bool hadFocus = old->hasFocus();

  *it = replacement;
  DialogBuilder::Order(built_.controls);
  ConnectCommandSource(replacement);
  if (hadFocus) replacement->setFocus();
  if (callerOwned) callerOwned_.emplace_back(replacement);

  auto owned = std::find(callerOwned_.begin(), callerOwned_.end(), old);
  if (owned != callerOwned_.end()) {
    callerOwned_.erase(owned);
    old->hide();
    old->setParent(nullptr);
  } else {
    delete old;
  }
  return true;
}

void CDialog::ConnectCommandSource(QWidget* control) {
  auto* button = qobject_cast<QAbstractButton*>(control);
  const int id = GetControlId(control);
  if (!button || id == IDC_STATIC) return;
  connect(button, &QAbstractButton::clicked, this, [this, id] { RouteCommand(id); });
}

void CDialog::BuildSystemMenu(std::uint32_t style) {
  delete systemMenu_.data();
  if (!(style & WS_SYSMENU)) return;
  systemMenu_ = new QMenu(this);
  if (style & WS_MINIMIZEBOX) AppendMenuItem(*systemMenu_, static_cast<int>(SC_MINIMIZE), "Mi&nimize");
  AppendMenuItem(*systemMenu_, static_cast<int>(SC_CLOSE), "&Close\tAlt+F4");
  connect(systemMenu_, &QMenu::triggered, this,
          [this](QAction* action) { OnSysCommand(static_cast<unsigned>(CommandIdOf(action)), 0); });
}

void CDialog::DestroyControls() {
  for (const QPointer<QWidget>& control : callerOwned_) {
    if (control) {
      control->hide();
      control->setParent(nullptr);
    }
  }
  callerOwned_.clear();
  delete layout();
  delete built_.menuBar;
  delete built_.client;
  built_ = BuiltDialog{};
}

void CDialog::FocusFirstTabStop() {
  for (QWidget* control : built_.controls) {
    if ((GetStyle(control) & WS_TABSTOP) && control->isEnabled() && !control->isHidden() &&
        control->focusPolicy() != Qt::NoFocus) {
      control->setFocus();
      return;
    }
  }
}

bool CDialog::HasDefaultButton() const {
  for (QPushButton* button : findChildren<QPushButton*>())
    if (button->isDefault() && button->isVisible()) return true;
  return false;
}

}  // namespace linkrake
