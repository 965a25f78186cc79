#pragma once
// The dialog base: a QDialog built from a dialog template, with data exchange, a command map
// and the classic modal life.
//
// Life of DoModal():
//   1. the controls, the menu bar and the window menu are built from the template (afresh on
//      every DoModal; widget pointers from an earlier run are gone);
//   2. a dialog without a parent is owned by MainWindow() while it runs;
//   3. OnInitDialog() (the base exchanges data towards the controls; returning true puts the
//      focus on the first tab stop);
//   4. the modal loop, until EndDialog(code); EndDialog inside OnInitDialog skips the loop;
//   5. OnDestroy(), exactly once, whichever way the dialog ended, while the controls exist;
//   6. DoModal returns the code (IDOK, IDCANCEL or what EndDialog was given; -1 when the
//      template does not exist or the dialog is already running).
//
// Commands: a click on a push button, check box or radio button, and a menu item, routes its
// id through RouteCommand: a handler registered with OnCommand runs; else IDOK runs OnOK()
// and IDCANCEL OnCancel(). Enter presses the default push button (nothing while it is
// disabled) or, in a dialog without one, sends IDOK. Escape sends IDCANCEL. The close box and
// the window menu's Close go through OnSysCommand(SC_CLOSE), whose default sends IDCANCEL.
//
// Use:
//   class CMyDlg : public CDialog {
//    public:
//     CMyDlg() : CDialog(IDD_OPEN_URL) { OnCommand(ID_FILE_OPEN, &CMyDlg::OnFileOpen); }
//    protected:
//     void DoDataExchange(CDataExchange& dx) override { DDX_CBString(dx, IDC_URL_COMBO, m_strUrl); }
//     bool OnInitDialog() override { CDialog::OnInitDialog(); ...; return true; }
//     void OnDestroy() override { CDialog::OnDestroy(); UpdateData(true); ... }
//    private:
//     void OnFileOpen();
//     std::string m_strUrl;
//   };
#include <QDialog>
#include <QMenu>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "framework/DialogBuilder.h"
#include "res/ResourceIds.h"

namespace linkrake {

class CDataExchange;

class CDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CDialog(int templateId, QWidget* parent = nullptr);
  ~CDialog() override;

  int DoModal();
  // Ends the modal loop with `code`; OnDestroy follows before DoModal returns.
  void EndDialog(int code);
  // True from the start of OnInitDialog until the modal loop has ended.
  bool IsRunning() const { return running_ && !ended_; }

  // Runs DoDataExchange: saveAndValidate true reads the controls into the members, false
  // writes the members into the controls. False when an exchange failed (a missing control).
  bool UpdateData(bool saveAndValidate = true);

  // The control with template id `id` (the first one for a shared id), or nullptr.
  QWidget* GetDlgItem(int id) const;
  template <class T>
  T* GetDlgItem(int id) const {
    return qobject_cast<T*>(GetDlgItem(id));
  }
  std::string GetDlgItemText(int id) const;
  void SetDlgItemText(int id, const std::string& text);

  // Puts a widget of the caller's class in the place of control `id`: same geometry, text,
  // id, style (as it is now), enabled and visible state, tab and stacking place, radio group.
  // The template control is deleted. Only while the controls exist (from OnInitDialog on).
  // This form makes the widget; it belongs to the dialog. nullptr when `id` has no control.
  template <class T, class... Args>
  T* SubclassDlgItem(int id, Args&&... args) {
    auto* control = new T(std::forward<Args>(args)...);
    if (ReplaceControl(id, control, false)) return control;
    delete control;
    return nullptr;
  }
  // This form takes a widget the caller owns (a member, say); the dialog hands it back
  // (unparented) when the controls are rebuilt or the member may simply be destroyed first.
  bool SubclassDlgItem(int id, QWidget& control) { return ReplaceControl(id, &control, true); }

  // Command map: `handler` runs for command `id` (menu item or button click).
  using CommandHandler = std::function<void()>;
  void OnCommand(int id, CommandHandler handler);
  template <class D>
  void OnCommand(int id, void (D::*handler)()) {
    OnCommand(id, [this, handler] { (static_cast<D*>(this)->*handler)(); });
  }
  // Runs command `id` as a click or menu choice would; false when nothing handles it.
  bool RouteCommand(int id);
  // Delivers a window-menu command as the window manager would (to OnSysCommand).
  void SysCommand(unsigned id, long lParam = 0) { OnSysCommand(id, lParam); }

  // The window menu (Alt+Space): Minimize (with WS_MINIMIZEBOX) and Close; its items'
  // commands go to OnSysCommand. nullptr without WS_SYSMENU or before DoModal.
  QMenu* GetSystemMenu() const { return systemMenu_; }
  QMenuBar* GetMenuBar() const { return built_.menuBar; }
  QWidget* ClientArea() const { return built_.client; }
  const std::vector<QWidget*>& Controls() const { return built_.controls; }
  DialogBaseUnits BaseUnits() const { return built_.baseUnits; }
  int TemplateId() const { return templateId_; }

  // Paints the dialog at once, without handling any user input in between.
  void UpdateWindow();

 protected:
  virtual bool OnInitDialog();
  virtual void DoDataExchange(CDataExchange& dx);
  virtual void OnOK();
  virtual void OnCancel();
  virtual void OnDestroy();
  // Window-menu commands. The base handles SC_CLOSE (sends IDCANCEL), SC_MINIMIZE and
  // SC_RESTORE; an override passes what it does not handle to CDialog::OnSysCommand.
  virtual void OnSysCommand(unsigned id, long lParam);

  void accept() override;
  void reject() override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  bool ReplaceControl(int id, QWidget* replacement, bool callerOwned);
  void ConnectCommandSource(QWidget* control);
  void BuildSystemMenu(std::uint32_t style);
  void DestroyControls();
  void FocusFirstTabStop();
  bool HasDefaultButton() const;

  int templateId_;
  BuiltDialog built_;
  QPointer<QMenu> systemMenu_;
  std::map<int, CommandHandler> commands_;
  std::vector<QPointer<QWidget>> callerOwned_;
  bool running_ = false;
  bool ended_ = false;
  int endCode_ = IDCANCEL;
};

}  // namespace linkrake
