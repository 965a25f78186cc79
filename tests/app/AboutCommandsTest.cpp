// The main dialog's About box, window menu, Help menu and F1: the About box before the
// window appears, which window-menu commands open it, General help, Uninstall and the help page.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QtTest/QTest>
#include <ostream>
#include <string>
#include <vector>

#include "MainDialogDriver.h"
#include "about/CAboutDlg.h"
#include "about/GeneralHelp.h"
#include "about/HelpWindow.h"
#include "extract/Product.h"
#include "framework/MainWindow.h"
#include "framework/MenuCommands.h"
#include "framework/ModalHook.h"
#include "framework/testing/RecordingShell.h"
#include "registry/ProductKeys.h"
#include "registry/SettingsLocation.h"
#include "registry/SettingsStore.h"
#include "sources/RecentUrlStore.h"

namespace linkrake::testing {
namespace {

// Records the templates of the dialogs that go modal while it watches, ending each at once.
// For commands that must open nothing: an unexpected dialog is recorded and closed instead of
// waiting for the watchdog.
class OpenedDialogs {
 public:
  explicit OpenedDialogs(int expected) {
    for (int i = 0; i < expected + 1; ++i)
      ModalHook::Enqueue([this](CDialog& dialog) {
        templates.push_back(dialog.TemplateId());
        dialog.EndDialog(IDCANCEL);
      });
  }
  ~OpenedDialogs() { ModalHook::Clear(); }
  OpenedDialogs(const OpenedDialogs&) = delete;
  OpenedDialogs& operator=(const OpenedDialogs&) = delete;

  std::vector<int> templates;
};

class AboutCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { setDefaultSettingsFolder(env.SettingsFolder()); }
  void TearDown() override {
    setDefaultSettingsFolder({});
    delete HelpWindow::Current();
  }
  int Run(std::function<void(CExtractDlg&)> action) {
    OnMainDialog(env.kit, std::move(action));
    return dlg.DoModal();
  }

  WindowFixture env;
  RecordingShell shell;
  CExtractDlg dlg;
};

TEST_F(AboutCommandsTest, TheStartUpShowsAWorkingAboutBoxBeforeTheWindowAppears) {
  SetMainWindow(&dlg);
  bool mainVisibleDuringAbout = true;
  env.kit.OnNextModal<CAboutDlg>([&](CAboutDlg& about) {
    mainVisibleDuringAbout = dlg.isVisible();
    EXPECT_TRUE(about.isVisible());
    about.Link().grab();  // its first paint, as on screen
    QTest::mouseClick(&about.Link(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(shell.opened, std::vector<std::string>{kMakerSite});
    EXPECT_TRUE(about.Link().Visited());
    about.RouteCommand(IDOK);
  });
  bool mainVisibleAfter = false;
  env.kit.OnNextModal<CExtractDlg>([&](CExtractDlg& d) {
    mainVisibleAfter = d.isVisible();
    d.RouteCommand(IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  SetMainWindow(nullptr);
  EXPECT_FALSE(mainVisibleDuringAbout);
  EXPECT_TRUE(mainVisibleAfter);
}

TEST_F(AboutCommandsTest, TheWindowMenuEndsWithASeparatorAndTheAboutItem) {
  Run([](CExtractDlg& d) {
    QMenu* menu = d.GetSystemMenu();
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> actions = menu->actions();
    ASSERT_GE(actions.size(), 2);
    EXPECT_TRUE(actions[actions.size() - 2]->isSeparator());
    EXPECT_EQ(actions.back()->text().toStdString(), "&About Linkrake...");
    EXPECT_EQ(CommandIdOf(actions.back()), 16);
  });
}

struct SysCommandCase {
  const char* name;
  unsigned id;
  bool opensAbout;
};

void PrintTo(const SysCommandCase& c, std::ostream* os) { *os << c.name; }

class AboutSysCommandTest : public AboutCommandsTest, public ::testing::WithParamInterface<SysCommandCase> {};

TEST_P(AboutSysCommandTest, IdsWhoseHighBitsMake16OpenTheAboutBoxOthersKeepTheirEffect) {
  const SysCommandCase& c = GetParam();
  Run([&c](CExtractDlg& d) {
    OpenedDialogs opened(c.opensAbout ? 1 : 0);
    d.SysCommand(c.id);
    EXPECT_EQ(opened.templates, c.opensAbout ? std::vector<int>{IDD_ABOUTBOX} : std::vector<int>{});
    EXPECT_TRUE(d.IsRunning());
  });
}

INSTANTIATE_TEST_SUITE_P(
    Ids, AboutSysCommandTest,
    ::testing::Values(SysCommandCase{"Id15", 15, false}, SysCommandCase{"Id16", 16, true},
                      SysCommandCase{"Id17", 17, true}, SysCommandCase{"Id31", 31, true},
                      SysCommandCase{"Id32", 32, false}),
    [](const ::testing::TestParamInfo<SysCommandCase>& info) { return std::string(info.param.name); });

TEST_F(AboutCommandsTest, CloseFromTheWindowMenuStillEndsTheDialog) {
  EXPECT_EQ(Run([](CExtractDlg& d) { d.SysCommand(SC_CLOSE); }), IDCANCEL);
}

TEST_F(AboutCommandsTest, ARightClickOnTheBackgroundOffersTheAboutItem) {
  Run([](CExtractDlg& d) {
    QWidget* background = d.ClientArea();
    ASSERT_NE(background, nullptr);
    const QPoint at(background->width() - 2, background->height() - 2);
    ASSERT_EQ(background->childAt(at), nullptr);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, background->mapToGlobal(at));
    QApplication::sendEvent(background, &event);
    QMenu* menu = d.GetSystemMenu();
    ASSERT_TRUE(menu && menu->isVisible());
    QAction* about = menu->actions().back();
    ASSERT_EQ(CommandIdOf(about), 16);
    OpenedDialogs opened(1);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(about).center());
    EXPECT_EQ(opened.templates, std::vector<int>{IDD_ABOUTBOX});
  });
}

TEST_F(AboutCommandsTest, HelpAboutOpensANewAboutBox) {
  Run([](CExtractDlg& d) {
    OpenedDialogs opened(1);
    ChooseMenu(d, ID_HELP_ABOUT);
    EXPECT_EQ(opened.templates, std::vector<int>{IDD_ABOUTBOX});
  });
}

TEST_F(AboutCommandsTest, GeneralHelpShowsTheGuideInOneInformationBox) {
  Run([this](CExtractDlg& d) {
    ChooseMenu(d, ID_HELP_GENERAL);
    ASSERT_EQ(env.boxes.requests.size(), 1u);
    EXPECT_EQ(env.boxes.requests[0].text, GeneralHelpText());
    EXPECT_EQ(env.boxes.requests[0].type, MB_OK | MB_ICONINFORMATION);
    EXPECT_EQ(env.boxes.requests[0].owner, MainWindow());
  });
}

TEST_F(AboutCommandsTest, UninstallAnsweredYesEmptiesTheStoreAndTheProgramGoesOn) {
  SettingsStore store(env.SettingsFolder());
  ASSERT_TRUE(store.writeValue(RecentUrlEntryKey(1), "", "http://one.example.test/"));
  Run([&](CExtractDlg& d) {
    env.boxes.Answer(IDYES);
    ChooseMenu(d, ID_HELP_UNINSTALL);
    ASSERT_EQ(env.boxes.requests.size(), 2u);
    EXPECT_EQ(env.boxes.requests[0].type, MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(env.boxes.requests[1].type, MB_OK | MB_ICONINFORMATION);
    EXPECT_FALSE(store.keyExists(kProductKey));
    EXPECT_TRUE(d.IsRunning());
  });
}

TEST_F(AboutCommandsTest, UninstallAnsweredNoLeavesTheStore) {
  SettingsStore store(env.SettingsFolder());
  ASSERT_TRUE(store.writeValue(RecentUrlEntryKey(1), "", "http://one.example.test/"));
  Run([&](CExtractDlg& d) {
    env.boxes.Answer(IDNO);
    ChooseMenu(d, ID_HELP_UNINSTALL);
    EXPECT_EQ(env.boxes.requests.size(), 1u);
    EXPECT_EQ(store.readValue(RecentUrlEntryKey(1), ""), "http://one.example.test/");
  });
}

TEST_F(AboutCommandsTest, F1OpensTheHelpPageInTheBrowser) {
  Run([this](CExtractDlg& d) {
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    QTest::keyClick(&d, Qt::Key_F1);
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].rfind("file:///", 0), 0u) << shell.opened[0];
    EXPECT_NE(shell.opened[0].find("linkrake-help.html"), std::string::npos);
    EXPECT_EQ(HelpWindow::Current(), nullptr);
  });
}

TEST_F(AboutCommandsTest, TheHelpCommandWithoutABrowserShowsTheProgramsHelpWindow) {
  shell.defaultResult = false;
  Run([](CExtractDlg& d) {
    ASSERT_TRUE(d.RouteCommand(ID_HELP));
    ASSERT_NE(HelpWindow::Current(), nullptr);
    EXPECT_TRUE(HelpWindow::Current()->isVisible());
  });
}

}  // namespace
}  // namespace linkrake::testing
