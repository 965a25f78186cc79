#include "MainDialogDriver.h"

#include <QAbstractItemModel>
#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QTreeView>
#include <QtTest/QTest>
#include <cstdlib>
#include <filesystem>

#include "framework/ControlProperties.h"
#include "framework/MenuCommands.h"

namespace linkrake::testing {

ScopedEnv::ScopedEnv(const char* name, const std::string& value)
    : name_(name), had_(qEnvironmentVariableIsSet(name)), before_(qgetenv(name)) {
  qputenv(name, QByteArray::fromStdString(value));
}

ScopedEnv::~ScopedEnv() {
  if (had_) {
    qputenv(name_, before_);
  } else {
    qunsetenv(name_);
  }
}

void OnMainDialog(ModalTestKit& kit, std::function<void(CExtractDlg&)> action) {
  kit.OnNextModal<CDialog>([&kit, action](CDialog& dialog) {
    if (auto* main = dynamic_cast<CExtractDlg*>(&dialog)) {
      action(*main);
      return;
    }
    // The About box of the start-up; the main dialog follows once it is closed.
    ASSERT_EQ(dialog.TemplateId(), IDD_ABOUTBOX);
    dialog.EndDialog(IDOK);
    OnMainDialog(kit, action);
  });
}

void ChooseMenu(CExtractDlg& dlg, int commandId) {
  ASSERT_NE(dlg.GetMenuBar(), nullptr);
  QAction* action = FindCommand(*dlg.GetMenuBar(), commandId);
  ASSERT_NE(action, nullptr) << "no menu item for command " << commandId;
  ASSERT_TRUE(action->isEnabled());
  action->trigger();
}

void Click(CExtractDlg& dlg, int controlId) {
  auto* button = dlg.GetDlgItem<QAbstractButton>(controlId);
  ASSERT_NE(button, nullptr) << "no button " << controlId;
  QTest::mouseClick(button, Qt::LeftButton);
}

bool IsChecked(CExtractDlg& dlg, int controlId) {
  auto* button = dlg.GetDlgItem<QAbstractButton>(controlId);
  return button && button->isChecked();
}

void SetChecked(CExtractDlg& dlg, int controlId, bool checked) {
  auto* button = dlg.GetDlgItem<QAbstractButton>(controlId);
  ASSERT_NE(button, nullptr) << "no button " << controlId;
  if (button->isChecked() != checked) QTest::mouseClick(button, Qt::LeftButton);
  ASSERT_EQ(button->isChecked(), checked);
}

std::string TextOf(CExtractDlg& dlg, int controlId) { return GetWindowText(dlg.GetDlgItem(controlId)); }

bool IsEnabled(CExtractDlg& dlg, int controlId) {
  QWidget* control = dlg.GetDlgItem(controlId);
  return control && control->isEnabled();
}

void TypeInto(CExtractDlg& dlg, int controlId, const std::string& text) {
  auto* edit = dlg.GetDlgItem<QLineEdit>(controlId);
  ASSERT_NE(edit, nullptr) << "no edit " << controlId;
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  QTest::keyClicks(edit, QString::fromStdString(text));
}

QAbstractItemModel& ListModel(CExtractDlg& dlg) {
  auto* view = dlg.GetDlgItem<QTreeView>(IDC_LINK_LIST);
  if (!view || !view->model()) std::abort();
  return *view->model();
}

std::vector<std::string> ShownLinks(CExtractDlg& dlg) {
  QAbstractItemModel& model = ListModel(dlg);
  std::vector<std::string> links;
  for (int row = 0; row < model.rowCount(); ++row)
    links.push_back(model.data(model.index(row, 0)).toString().toStdString());
  return links;
}

WindowFixture::WindowFixture() { std::filesystem::create_directory(SettingsFolder()); }

}  // namespace linkrake::testing
