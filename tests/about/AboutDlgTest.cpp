// The About box from its template, its link at work inside the box, a new link for every
// showing, and the window-menu item that opens it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <ostream>
#include <string>
#include <vector>

#include "LinkPixels.h"
#include "about/AboutMenuItem.h"
#include "about/CAboutDlg.h"
#include "extract/Product.h"
#include "framework/ControlProperties.h"
#include "framework/MenuCommands.h"
#include "framework/testing/ModalTestKit.h"
#include "framework/testing/RecordingShell.h"
#include "res/ResourceIds.h"
#include "res/WindowStyles.h"

namespace linkrake {
namespace {

using testing::AreaInWindow;
using testing::CountPixels;
using testing::ModalTestKit;
using testing::PaintedWindow;
using testing::RecordingShell;

const QColor kBlue(0, 0, 255);
const QColor kPurple(128, 0, 128);

void ClickLink(CStaticLink& link) { QTest::mouseClick(&link, Qt::LeftButton, {}, QPoint(3, 3)); }

TEST(AboutDlgTest, ShowsTheNameTheVersionTheLinkTheIconAndOk) {
  ModalTestKit kit;
  CAboutDlg about;
  kit.OnNextModal<CAboutDlg>([](CAboutDlg& dialog) {
    EXPECT_EQ(dialog.windowTitle().toStdString(), "About Linkrake");
    const std::vector<QWidget*>& controls = dialog.Controls();
    ASSERT_EQ(controls.size(), 4u);
    EXPECT_EQ(GetWindowText(controls[0]), "Linkrake Version 2.2");
    // The template's static 1020 is now the link member itself.
    ASSERT_EQ(controls[1], &dialog.Link());
    EXPECT_EQ(dialog.GetDlgItem<CStaticLink>(IDC_LINK), &dialog.Link());
    EXPECT_EQ(GetWindowText(&dialog.Link()), kMakerSite);
    EXPECT_EQ(GetStyle(&dialog.Link()) & 0xFFu, SS_LEFT);
    EXPECT_TRUE(dialog.Link().isVisible());
    auto* ok = qobject_cast<QPushButton*>(controls[2]);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text().toStdString(), "OK");
    EXPECT_TRUE(ok->isDefault());
    auto* icon = qobject_cast<QLabel*>(controls[3]);
    ASSERT_NE(icon, nullptr);
    EXPECT_FALSE(icon->pixmap().isNull());
    QTest::mouseClick(ok, Qt::LeftButton);
  });
  EXPECT_EQ(about.DoModal(), IDOK);
}

TEST(AboutDlgTest, TheLinkOpensTheMakersSiteAndTurnsPurpleWhileTheBoxStaysOpen) {
  ModalTestKit kit;
  RecordingShell shell;
  CAboutDlg about;
  kit.OnNextModal<CAboutDlg>([&shell](CAboutDlg& dialog) {
    CStaticLink& link = dialog.Link();
    const QImage before = PaintedWindow(link);
    const QRect area = AreaInWindow(link);
    EXPECT_GT(CountPixels(before, area, kBlue), 0);
    // Drawn on the dialog's own background.
    EXPECT_EQ(before.pixelColor(area.bottomRight()).rgb(), dialog.palette().color(QPalette::Window).rgb());
    ASSERT_TRUE(link.UnderlineFont().has_value());
    EXPECT_EQ(link.UnderlineFont()->family(), dialog.ClientArea()->font().family());

    ClickLink(link);
    EXPECT_EQ(shell.opened, std::vector<std::string>{kMakerSite});
    EXPECT_TRUE(dialog.IsRunning());
    const QImage after = PaintedWindow(link);
    EXPECT_GT(CountPixels(after, area, kPurple), 0);
    EXPECT_EQ(CountPixels(after, area, kBlue), 0);
    dialog.RouteCommand(IDOK);
  });
  EXPECT_EQ(about.DoModal(), IDOK);
  EXPECT_EQ(shell.beeps, 0);
}

TEST(AboutDlgTest, EveryShowingStartsWithABlueLinkAgain) {
  ModalTestKit kit;
  RecordingShell shell;
  std::vector<bool> visitedAtOpen;
  std::vector<int> bluePixelsAtOpen;
  for (int showing = 0; showing < 2; ++showing) {
    kit.OnNextModal<CAboutDlg>([&](CAboutDlg& dialog) {
      CStaticLink& link = dialog.Link();
      visitedAtOpen.push_back(link.Visited());
      bluePixelsAtOpen.push_back(CountPixels(PaintedWindow(link), AreaInWindow(link), kBlue));
      ClickLink(link);
      EXPECT_TRUE(link.Visited());
      QTest::keyClick(&dialog, Qt::Key_Escape);
    });
  }
  ShowAboutBox();
  ShowAboutBox();
  EXPECT_EQ(visitedAtOpen, (std::vector<bool>{false, false}));
  ASSERT_EQ(bluePixelsAtOpen.size(), 2u);
  EXPECT_GT(bluePixelsAtOpen[0], 0);
  EXPECT_GT(bluePixelsAtOpen[1], 0);
  EXPECT_EQ(shell.opened.size(), 2u);
}

TEST(AboutDlgTest, AFailedOpenBeepsAndLeavesTheLinkBlue) {
  ModalTestKit kit;
  RecordingShell shell;
  shell.defaultResult = false;
  kit.OnNextModal<CAboutDlg>([&shell](CAboutDlg& dialog) {
    CStaticLink& link = dialog.Link();
    PaintedWindow(link);
    ClickLink(link);
    EXPECT_EQ(shell.beeps, 1);
    EXPECT_FALSE(link.Visited());
    const QImage after = PaintedWindow(link);
    EXPECT_GT(CountPixels(after, AreaInWindow(link), kBlue), 0);
    EXPECT_EQ(CountPixels(after, AreaInWindow(link), kPurple), 0);
  });
  ShowAboutBox();
}

TEST(AboutMenuItemTest, AppendsASeparatorAndTheAboutItemWithCommand16) {
  QMenu menu;
  AppendMenuItem(menu, static_cast<int>(SC_CLOSE), "&Close");
  ASSERT_TRUE(AppendAboutItem(&menu));
  const QList<QAction*> actions = menu.actions();
  ASSERT_EQ(actions.size(), 3);
  EXPECT_TRUE(actions[1]->isSeparator());
  EXPECT_EQ(actions[2]->text().toStdString(), "&About Linkrake...");
  EXPECT_EQ(CommandIdOf(actions[2]), 16);
  EXPECT_FALSE(AppendAboutItem(nullptr));
}

struct SysCommandCase {
  const char* name;
  unsigned id;
  bool opensAbout;
};

void PrintTo(const SysCommandCase& c, std::ostream* os) { *os << c.name; }

class AboutCommandTest : public ::testing::TestWithParam<SysCommandCase> {};

TEST_P(AboutCommandTest, OnlyIdsWhoseHighBitsMake16OpenTheAboutBox) {
  EXPECT_EQ(IsAboutCommand(GetParam().id), GetParam().opensAbout);
}

INSTANTIATE_TEST_SUITE_P(
    Ids, AboutCommandTest,
    ::testing::Values(SysCommandCase{"Id15", 15, false}, SysCommandCase{"Id16", 16, true},
                      SysCommandCase{"Id17", 17, true}, SysCommandCase{"Id31", 31, true},
                      SysCommandCase{"Id32", 32, false}, SysCommandCase{"Zero", 0, false},
                      SysCommandCase{"Close", SC_CLOSE, false}, SysCommandCase{"Minimize", SC_MINIMIZE, false},
                      SysCommandCase{"Move", SC_MOVE, false}),
    [](const ::testing::TestParamInfo<SysCommandCase>& info) { return std::string(info.param.name); });

// A dialog that offers its system menu with the About item on a right click, and records the
// system commands that reach it.
class MenuDialog : public CDialog {
 public:
  MenuDialog() : CDialog(IDD_ABOUTBOX) {}
  std::vector<unsigned> commands;

 protected:
  bool OnInitDialog() override {
    CDialog::OnInitDialog();
    AppendAboutItem(GetSystemMenu());
    OfferSystemMenuOnRightClick(*this, *ClientArea());
    return true;
  }
  void OnSysCommand(unsigned id, long lParam) override {
    commands.push_back(id);
    CDialog::OnSysCommand(id, lParam);
  }
};

QAction* ItemWithId(QMenu& menu, unsigned id) {
  for (QAction* action : menu.actions())
    if (CommandIdOf(action) == static_cast<int>(id)) return action;
  return nullptr;
}

void RightClick(QWidget& widget, QPoint at) {
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, widget.mapToGlobal(at));
  QApplication::sendEvent(&widget, &event);
}

TEST(AboutMenuItemTest, ARightClickOnTheBackgroundOffersTheSystemMenuWhoseItemsReachOnSysCommand) {
  ModalTestKit kit;
  MenuDialog dialog;
  kit.OnNextModal<MenuDialog>([](MenuDialog& d) {
    QMenu* menu = d.GetSystemMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_FALSE(menu->isVisible());
    QWidget* client = d.ClientArea();
    // The version text has no menu of its own, so its right click reaches the background.
    QWidget* label = d.Controls()[0];
    RightClick(*label, QPoint(2, 2));
    ASSERT_TRUE(menu->isVisible());
    QAction* about = ItemWithId(*menu, IDM_ABOUTBOX);
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(menu->actions()[menu->actions().indexOf(about) - 1]->isSeparator());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(about).center());
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(d.commands, std::vector<unsigned>{IDM_ABOUTBOX});

    RightClick(*client, QPoint(client->width() - 2, client->height() - 2));
    ASSERT_TRUE(menu->isVisible());
    QAction* close = ItemWithId(*menu, SC_CLOSE);
    ASSERT_NE(close, nullptr);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(close).center());
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.commands, (std::vector<unsigned>{IDM_ABOUTBOX, SC_CLOSE}));
}

}  // namespace
}  // namespace linkrake
