#pragma once
// What the window tests share: a temporary folder that also serves as the user's temporary
// folder and settings folder, stand-ins for the file dialog and the message box, and a way to
// act on the main dialog while it runs modally.
#include <QByteArray>
#include <QWidget>
#include <functional>
#include <string>

#include "app/CExtractDlg.h"
#include "framework/testing/ModalTestKit.h"
#include "framework/testing/RecordingFileDialog.h"
#include "framework/testing/RecordingMessageBox.h"
#include "support/TempDir.h"

class QAbstractItemModel;

namespace linkrake::testing {

// Points an environment variable elsewhere for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  bool had_;
  QByteArray before_;
};

// Runs `action` on the main dialog once it runs modally. An About box that the start-up shows
// before it is closed first. The kit ends the dialog afterwards if the action left it open.
void OnMainDialog(ModalTestKit& kit, std::function<void(CExtractDlg&)> action);

// Chooses a menu command through the dialog's menu bar, as a click on the item does.
void ChooseMenu(CExtractDlg& dlg, int commandId);
// Clicks a button of the dialog.
void Click(CExtractDlg& dlg, int controlId);
bool IsChecked(CExtractDlg& dlg, int controlId);
void SetChecked(CExtractDlg& dlg, int controlId, bool checked);
std::string TextOf(CExtractDlg& dlg, int controlId);
bool IsEnabled(CExtractDlg& dlg, int controlId);
// Types `text` into an edit, replacing what it held.
void TypeInto(CExtractDlg& dlg, int controlId, const std::string& text);

// The list view's model and the rows it shows.
QAbstractItemModel& ListModel(CExtractDlg& dlg);
std::vector<std::string> ShownLinks(CExtractDlg& dlg);

// One test's surroundings: a temporary folder that is the user's temporary folder (so the
// dialog's temporary file lands in it) and holds the settings, with the file dialog and the
// message box answered by recorders.
class WindowFixture {
 public:
  WindowFixture();

  TempDir dir;
  ScopedEnv tmpdir{"TMPDIR", dir.Path().string()};
  RecordingFileDialog files;
  RecordingMessageBox boxes;
  ModalTestKit kit;

  std::string SettingsFolder() const { return (dir.Path() / "settings").string(); }
  std::string TempFilePath() const { return dir.File(kTempFileName); }
};

}  // namespace linkrake::testing
