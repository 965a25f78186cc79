// The dialog base's modal life, its keys and its command routing, on the program's templates.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <string>

#include "framework/CDialog.h"
#include "framework/ControlProperties.h"
#include "framework/DataExchange.h"
#include "framework/MainWindow.h"
#include "framework/MenuCommands.h"
#include "framework/testing/ModalTestKit.h"
#include "res/ResourceIds.h"
#include "res/WindowStyles.h"

namespace linkrake {
namespace {

using testing::ModalTestKit;

// Counts what the framework calls and keeps the combo box's text as the Open URL dialog does.
class ProbeDialog : public CDialog {
 public:
  explicit ProbeDialog(int templateId = IDD_OPEN_URL) : CDialog(templateId) {}

  std::string m_strUrl = "initial";
  int inits = 0;
  int oks = 0;
  int cancels = 0;
  int destroys = 0;
  bool controlsAtDestroy = false;
  std::string textAtDestroy;
  std::vector<unsigned> sysCommands;
  bool swallowClose = false;
  std::function<void(ProbeDialog&)> duringInit;

 protected:
  bool OnInitDialog() override {
    ++inits;
    const bool focus = CDialog::OnInitDialog();
    if (duringInit) duringInit(*this);
    return focus;
  }
  void DoDataExchange(CDataExchange& dx) override {
    if (TemplateId() == IDD_OPEN_URL) DDX_CBString(dx, IDC_URL_COMBO, m_strUrl);
  }
  void OnOK() override {
    ++oks;
    CDialog::OnOK();
  }
  void OnCancel() override {
    ++cancels;
    CDialog::OnCancel();
  }
  void OnDestroy() override {
    CDialog::OnDestroy();
    ++destroys;
    controlsAtDestroy = !Controls().empty() && GetDlgItem(IDOK) != nullptr;
    if (TemplateId() == IDD_OPEN_URL) textAtDestroy = GetDlgItemText(IDC_URL_COMBO);
  }
  void OnSysCommand(unsigned id, long lParam) override {
    sysCommands.push_back(id);
    if (swallowClose && (id & 0xFFF0u) == SC_CLOSE) return;
    CDialog::OnSysCommand(id, lParam);
  }
};

QAbstractButton* Button(CDialog& dialog, int id) { return dialog.GetDlgItem<QAbstractButton>(id); }

void Key(CDialog& dialog, Qt::Key key) {
  QWidget* target = dialog.focusWidget() ? dialog.focusWidget() : &dialog;
  QTest::keyClick(target, key);
}

struct EndingCase {
  const char* name;
  std::function<void(ProbeDialog&)> end;
  int expectedCode;
  bool dataRead;  // the OK path reads the controls into the members
  int oks;
  int cancels;
};

const EndingCase kEndings[] = {
    {"OkButton", [](ProbeDialog& d) { Button(d, IDOK)->click(); }, IDOK, true, 1, 0},
    {"CancelButton", [](ProbeDialog& d) { Button(d, IDCANCEL)->click(); }, IDCANCEL, false, 0, 1},
    {"EnterPressesTheDefaultButton", [](ProbeDialog& d) { Key(d, Qt::Key_Return); }, IDOK, true, 1, 0},
    {"KeypadEnter", [](ProbeDialog& d) { Key(d, Qt::Key_Enter); }, IDOK, true, 1, 0},
    {"Escape", [](ProbeDialog& d) { Key(d, Qt::Key_Escape); }, IDCANCEL, false, 0, 1},
    {"CloseBox", [](ProbeDialog& d) { d.close(); }, IDCANCEL, false, 0, 1},
    {"SystemMenuClose",
     [](ProbeDialog& d) {
       for (QAction* action : d.GetSystemMenu()->actions())
         if (CommandIdOf(action) == static_cast<int>(SC_CLOSE)) action->trigger();
     },
     IDCANCEL, false, 0, 1},
    {"SysCommandClose", [](ProbeDialog& d) { d.SysCommand(SC_CLOSE); }, IDCANCEL, false, 0, 1},
    {"RoutedOk", [](ProbeDialog& d) { d.RouteCommand(IDOK); }, IDOK, true, 1, 0},
    {"EndDialogWithItsOwnCode", [](ProbeDialog& d) { d.EndDialog(42); }, 42, false, 0, 0},
};

class DialogEnding : public ::testing::TestWithParam<EndingCase> {};

TEST_P(DialogEnding, EndsOnceWithItsCodeAndDestroysWhileTheControlsExist) {
  const EndingCase& c = GetParam();
  ModalTestKit kit;
  ProbeDialog dialog;
  bool wasRunning = false;
  kit.OnNextModal<ProbeDialog>([&](ProbeDialog& d) {
    wasRunning = d.IsRunning();
    d.SetDlgItemText(IDC_URL_COMBO, "typed.example");
    c.end(d);
    EXPECT_FALSE(d.IsRunning());
  });
  EXPECT_EQ(dialog.DoModal(), c.expectedCode);
  EXPECT_TRUE(wasRunning);
  EXPECT_FALSE(dialog.IsRunning());
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.inits, 1);
  EXPECT_EQ(dialog.destroys, 1);
  EXPECT_TRUE(dialog.controlsAtDestroy);
  EXPECT_EQ(dialog.textAtDestroy, "typed.example");
  EXPECT_EQ(dialog.m_strUrl, c.dataRead ? "typed.example" : "initial");
  EXPECT_EQ(dialog.oks, c.oks);
  EXPECT_EQ(dialog.cancels, c.cancels);
}

INSTANTIATE_TEST_SUITE_P(Ways, DialogEnding, ::testing::ValuesIn(kEndings),
                         [](const ::testing::TestParamInfo<EndingCase>& info) { return std::string(info.param.name); });

TEST(CDialog, EndDialogInsideOnInitDialogSkipsTheLoop) {
  ProbeDialog dialog;
  dialog.duringInit = [](ProbeDialog& d) { d.EndDialog(IDOK); };
  testing::ModalWatchdog watchdog(std::chrono::seconds(5));
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.destroys, 1);
  EXPECT_EQ(watchdog.Ended(), 0);
}

TEST(CDialog, RunsAgainWithFreshControls) {
  ModalTestKit kit;
  ProbeDialog dialog;
  QPointer<QWidget> first;
  kit.OnNextModal([&](CDialog& d) {
    first = d.GetDlgItem(IDC_URL_COMBO);
    d.SetDlgItemText(IDC_URL_COMBO, "first run");
    d.EndDialog(IDCANCEL);
  });
  kit.OnNextModal([&](CDialog& d) {
    EXPECT_TRUE(first.isNull());
    ASSERT_NE(d.GetDlgItem(IDC_URL_COMBO), nullptr);
    EXPECT_EQ(d.GetDlgItemText(IDC_URL_COMBO), "initial");  // written from the member again
    d.EndDialog(IDOK);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.inits, 2);
  EXPECT_EQ(dialog.destroys, 2);
}

TEST(CDialog, RefusesAnUnknownTemplateAndASecondRunAtOnce) {
  ProbeDialog unknown(4242);
  EXPECT_EQ(unknown.DoModal(), -1);
  EXPECT_EQ(unknown.inits, 0);
  EXPECT_EQ(unknown.destroys, 0);

  ModalTestKit kit;
  ProbeDialog dialog;
  int nested = 0;
  kit.OnNextModal([&](CDialog& d) {
    nested = d.DoModal();
    d.EndDialog(IDOK);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(nested, -1);
  EXPECT_EQ(dialog.inits, 1);
  EXPECT_EQ(dialog.destroys, 1);
}

TEST(CDialog, FocusGoesToTheFirstTabStop) {
  ModalTestKit kit;
  ProbeDialog dialog;
  kit.OnNextModal([](CDialog& d) {
    QWidget* combo = d.GetDlgItem(IDC_URL_COMBO);
    QWidget* focus = d.focusWidget();
    ASSERT_NE(focus, nullptr);
    EXPECT_TRUE(focus == combo || combo->isAncestorOf(focus)) << focus->metaObject()->className();
  });
  dialog.DoModal();
}

TEST(CDialog, ADialogWithoutParentIsOwnedByTheMainWindowWhileItRuns) {
  QWidget mainWindow;
  SetMainWindow(&mainWindow);
  ModalTestKit kit;
  ProbeDialog dialog;
  QWidget* ownerWhileRunning = nullptr;
  kit.OnNextModal([&](CDialog& d) { ownerWhileRunning = d.parentWidget(); });
  dialog.DoModal();
  SetMainWindow(nullptr);
  EXPECT_EQ(ownerWhileRunning, &mainWindow);
  EXPECT_EQ(dialog.parentWidget(), nullptr);
}

// Enter on the main dialog: its default button is the search button.
struct EnterCase {
  const char* name;
  bool searchEnabled;
  bool withDefaultButton;
  int searches;
  bool endsWithOk;
};

class EnterKey : public ::testing::TestWithParam<EnterCase> {};

TEST_P(EnterKey, PressesTheDefaultButtonOrSendsOk) {
  const EnterCase& c = GetParam();
  ModalTestKit kit;
  ProbeDialog dialog(IDD_MAIN);
  int searches = 0;
  dialog.OnCommand(IDC_SEARCH, [&] { ++searches; });
  bool stillRunning = false;
  kit.OnNextModal([&](CDialog& d) {
    auto* search = d.GetDlgItem<QPushButton>(IDC_SEARCH);
    ASSERT_NE(search, nullptr);
    search->setEnabled(c.searchEnabled);
    if (!c.withDefaultButton)
      for (QPushButton* button : d.findChildren<QPushButton*>()) button->setDefault(false);
    d.GetDlgItem(IDC_EXCLUDE_EDIT)->setFocus();
    QTest::keyClick(d.GetDlgItem(IDC_EXCLUDE_EDIT), Qt::Key_Return);
    stillRunning = d.IsRunning();
  });
  const int code = dialog.DoModal();
  EXPECT_EQ(searches, c.searches);
  EXPECT_EQ(stillRunning, !c.endsWithOk);
  EXPECT_EQ(code, c.endsWithOk ? IDOK : IDCANCEL);
}

const EnterCase kEnterCases[] = {
    {"EnabledDefaultButtonIsPressed", true, true, 1, false},
    {"DisabledDefaultButtonDoesNothing", false, true, 0, false},
    {"WithoutADefaultButtonOkIsSent", true, false, 0, true},
};

INSTANTIATE_TEST_SUITE_P(MainDialog, EnterKey, ::testing::ValuesIn(kEnterCases),
                         [](const ::testing::TestParamInfo<EnterCase>& info) { return std::string(info.param.name); });

TEST(CDialog, CommandsReachTheirHandlersFromButtonsMenusAndRouteCommand) {
  ModalTestKit kit;
  ProbeDialog dialog(IDD_MAIN);
  std::vector<int> ran;
  for (int id : {IDC_SEARCH, ID_FILE_OPEN, ID_HELP_ABOUT}) dialog.OnCommand(id, [&ran, id] { ran.push_back(id); });
  bool unknownRouted = true;
  kit.OnNextModal([&](CDialog& d) {
    Button(d, IDC_SEARCH)->click();
    ASSERT_NE(d.GetMenuBar(), nullptr);
    FindCommand(*d.GetMenuBar(), ID_FILE_OPEN)->trigger();
    EXPECT_TRUE(d.RouteCommand(ID_HELP_ABOUT));
    unknownRouted = d.RouteCommand(4242);
    // A menu item without a handler of its own falls to the framework: File > Exit is not IDOK.
    EXPECT_FALSE(d.RouteCommand(ID_FILE_EXIT));
    EXPECT_TRUE(d.IsRunning());
    FindCommand(*d.GetMenuBar(), ID_FILE_EXIT)->trigger();
    EXPECT_TRUE(d.IsRunning());
    Button(d, IDOK)->click();  // the Exit button is IDOK
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(ran, (std::vector<int>{IDC_SEARCH, ID_FILE_OPEN, ID_HELP_ABOUT}));
  EXPECT_FALSE(unknownRouted);
  EXPECT_EQ(dialog.oks, 1);
}

TEST(CDialog, AHandlerForOkTakesThePlaceOfOnOK) {
  ModalTestKit kit;
  ProbeDialog dialog;
  int handled = 0;
  dialog.OnCommand(IDOK, [&] { ++handled; });
  bool running = false;
  kit.OnNextModal([&](CDialog& d) {
    Button(d, IDOK)->click();
    running = d.IsRunning();
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(handled, 1);
  EXPECT_TRUE(running);
  EXPECT_EQ(dialog.oks, 0);
}

TEST(CDialog, CloseBoxGoesThroughOnSysCommandWhichMayKeepTheDialogOpen) {
  ModalTestKit kit;
  ProbeDialog dialog;
  dialog.swallowClose = true;
  bool runningAfterClose = false;
  kit.OnNextModal([&](CDialog& d) {
    d.close();
    runningAfterClose = d.IsRunning() && d.isVisible();
    d.SysCommand(IDM_ABOUTBOX);  // a command the base does not know changes nothing
    EXPECT_TRUE(d.IsRunning());
    d.EndDialog(IDOK);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(runningAfterClose);
  EXPECT_EQ(dialog.sysCommands, (std::vector<unsigned>{SC_CLOSE, IDM_ABOUTBOX}));
  EXPECT_EQ(dialog.cancels, 0);
}

TEST(CDialog, SystemMenuHasMinimizeOnlyWithAMinimizeBoxAndItsItemsReachOnSysCommand) {
  struct Case {
    int templateId;
    std::vector<int> ids;
  };
  for (const Case& c : {Case{IDD_MAIN, {static_cast<int>(SC_MINIMIZE), static_cast<int>(SC_CLOSE)}},
                        Case{IDD_OPEN_URL, {static_cast<int>(SC_CLOSE)}}}) {
    ModalTestKit kit;
    ProbeDialog dialog(c.templateId);
    std::vector<int> ids;
    kit.OnNextModal([&](CDialog& d) {
      ASSERT_NE(d.GetSystemMenu(), nullptr);
      for (QAction* action : d.GetSystemMenu()->actions()) ids.push_back(CommandIdOf(action));
      // An item the program adds, as the About item is added.
      AppendMenuSeparator(*d.GetSystemMenu());
      AppendMenuItem(*d.GetSystemMenu(), static_cast<int>(IDM_ABOUTBOX), "&About...")->trigger();
    });
    dialog.DoModal();
    EXPECT_EQ(ids, c.ids) << c.templateId;
    ASSERT_FALSE(dialog.sysCommands.empty());
    EXPECT_EQ(dialog.sysCommands.front(), IDM_ABOUTBOX) << c.templateId;
  }
}

// Data exchange both ways on the main dialog's two edits.
class EditsDialog : public CDialog {
 public:
  EditsDialog() : CDialog(IDD_MAIN) {}
  std::string m_strBase;
  std::string m_strExclude;
  bool withMissingControl = false;

 protected:
  void DoDataExchange(CDataExchange& dx) override {
    DDX_Text(dx, IDC_BASE_EDIT, m_strBase);
    DDX_Text(dx, IDC_EXCLUDE_EDIT, m_strExclude);
    if (withMissingControl) DDX_Text(dx, IDC_URL_COMBO, m_strBase);
  }
};

TEST(CDialog, UpdateDataWritesAndReadsBothEdits) {
  ModalTestKit kit;
  EditsDialog dialog;
  dialog.m_strBase = "http://base.example/";
  dialog.m_strExclude = "ads*";
  kit.OnNextModal<EditsDialog>([](EditsDialog& d) {
    // OnInitDialog wrote the members.
    EXPECT_EQ(d.GetDlgItemText(IDC_BASE_EDIT), "http://base.example/");
    EXPECT_EQ(d.GetDlgItemText(IDC_EXCLUDE_EDIT), "ads*");
    d.SetDlgItemText(IDC_BASE_EDIT, "-");
    d.SetDlgItemText(IDC_EXCLUDE_EDIT, "Grüße");
    EXPECT_TRUE(d.UpdateData(true));
    EXPECT_EQ(d.m_strBase, "-");
    EXPECT_EQ(d.m_strExclude, "Grüße");
    d.m_strBase = "one";
    d.m_strExclude = "";
    d.SetDlgItemText(IDC_EXCLUDE_EDIT, "typed, not read back");
    EXPECT_TRUE(d.UpdateData(false));
    EXPECT_EQ(d.GetDlgItemText(IDC_BASE_EDIT), "one");
    EXPECT_EQ(d.GetDlgItemText(IDC_EXCLUDE_EDIT), "");  // both edits are always rewritten

    d.withMissingControl = true;
    EXPECT_FALSE(d.UpdateData(true));
    d.SetDlgItemText(IDC_BASE_EDIT, "kept open");
    Button(d, IDOK)->click();  // OnOK stops at the failed exchange
    EXPECT_TRUE(d.IsRunning());
    d.withMissingControl = false;
    Button(d, IDOK)->click();
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.m_strBase, "kept open");
}

// A widget of the caller's class in the place of a template control.
class LinkLabel : public QLabel {
  Q_OBJECT
};

class AboutDialog : public CDialog {
 public:
  AboutDialog() : CDialog(IDD_ABOUTBOX) {}
};

TEST(CDialog, SubclassDlgItemPutsTheCallersWidgetInTheControlsPlace) {
  ModalTestKit kit;
  AboutDialog dialog;
  kit.OnNextModal([](CDialog& d) {
    QPointer<QWidget> old = d.GetDlgItem(IDC_LINK);
    ASSERT_FALSE(old.isNull());
    const QRect geometry = old->geometry();
    SetStyle(old, GetStyle(old) | SS_NOTIFY);  // changed before the swap, carried over
    const std::size_t index = 1;
    ASSERT_EQ(d.Controls().at(index), old.data());

    LinkLabel* link = d.SubclassDlgItem<LinkLabel>(IDC_LINK);
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(old.isNull());
    EXPECT_EQ(d.GetDlgItem(IDC_LINK), link);
    EXPECT_EQ(d.Controls().at(index), link);
    EXPECT_EQ(link->parentWidget(), d.ClientArea());
    EXPECT_EQ(link->geometry(), geometry);
    EXPECT_EQ(GetWindowText(link), GetWindowText(d.Controls().at(index)));
    EXPECT_FALSE(link->text().isEmpty());
    EXPECT_EQ(GetControlId(link), IDC_LINK);
    EXPECT_TRUE(GetStyle(link) & SS_NOTIFY);
    EXPECT_TRUE(link->isVisible());
    EXPECT_EQ(d.SubclassDlgItem<LinkLabel>(4242), nullptr);
  });
  dialog.DoModal();
}

TEST(CDialog, SubclassedButtonStillSendsItsCommandAndKeepsItsTabPlace) {
  class OkButton : public QPushButton {};
  ModalTestKit kit;
  ProbeDialog dialog;
  kit.OnNextModal([](CDialog& d) {
    OkButton* ok = d.SubclassDlgItem<OkButton>(IDOK);
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isDefault());
    QWidget* combo = d.GetDlgItem(IDC_URL_COMBO);
    QWidget* next = combo->nextInFocusChain();
    while (next && next != ok && next != d.GetDlgItem(IDCANCEL)) next = next->nextInFocusChain();
    EXPECT_EQ(next, ok);  // still between the combo box and Cancel
    ok->click();
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.oks, 1);
}

TEST(CDialog, ACallerOwnedWidgetIsHandedBackWhenTheControlsAreRebuilt) {
  ModalTestKit kit;
  AboutDialog dialog;
  LinkLabel member;
  kit.OnNextModal([&](CDialog& d) {
    EXPECT_TRUE(d.SubclassDlgItem(IDC_LINK, member));
    EXPECT_EQ(member.parentWidget(), d.ClientArea());
  });
  kit.OnNextModal([&](CDialog& d) {
    EXPECT_EQ(member.parentWidget(), nullptr);
    EXPECT_NE(d.GetDlgItem(IDC_LINK), &member);
  });
  dialog.DoModal();
  dialog.DoModal();  // the member would be deleted with the old controls, were it not handed back
  EXPECT_FALSE(member.isVisible());
}

}  // namespace
}  // namespace linkrake

#include "CDialogTest.moc"
