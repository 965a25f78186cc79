// The application object: its name, its settings key, the main dialog as main window, and the
// recent-file list written back to the settings store when the dialog has ended.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QtTest/QTest>
#include <optional>
#include <string>
#include <vector>

#include "MainDialogDriver.h"
#include "app/CExtractApp.h"
#include "framework/AppName.h"
#include "framework/MainWindow.h"
#include "framework/MessageBox.h"
#include "registry/SettingsStore.h"

namespace linkrake::testing {
namespace {

class ExtractAppTest : public ::testing::Test {
 protected:
  SettingsStore Store() const { return SettingsStore(env.SettingsFolder()); }
  std::string ProfileKey() const { return "Software\\Morvane\\Linkrake\\2.2\\" + AppName(); }
  std::vector<std::string> StoredRecentFiles() const {
    std::vector<std::string> files;
    for (int i = 1; i <= 8; ++i) {
      const std::optional<std::string> value =
          Store().readValue(ProfileKey() + "\\Recent File List", "File" + std::to_string(i));
      if (value) files.push_back(*value);
    }
    return files;
  }
  // Runs the whole application, opening `paths` one after the other with File > Open.
  int RunOpening(const std::vector<std::string>& paths) {
    CExtractApp app(Store());
    OnMainDialog(env.kit, [&](CExtractDlg& d) {
      EXPECT_EQ(MainWindow(), &d);
      for (const std::string& path : paths) {
        env.files.Accept(path);
        ChooseMenu(d, ID_FILE_OPEN);
      }
      ChooseMenu(d, ID_FILE_EXIT);
    });
    return app.Run();
  }

  WindowFixture env;
};

TEST_F(ExtractAppTest, IsNamedAfterItsExecutable) {
  CExtractApp app(Store());
  EXPECT_EQ(AppName(), QFileInfo(QCoreApplication::arguments().first()).completeBaseName().toStdString());
  EXPECT_FALSE(AppName().empty());
  EXPECT_EQ(AfxGetApp(), &app);
}

TEST_F(ExtractAppTest, ARunLeavesItsKey) {
  EXPECT_EQ(RunOpening({}), 0);
  EXPECT_TRUE(Store().keyExists(ProfileKey()));
  EXPECT_TRUE(Store().keyExists(ProfileKey() + "\\Settings"));
  EXPECT_TRUE(StoredRecentFiles().empty());
  EXPECT_EQ(MainWindow(), nullptr);
}

TEST_F(ExtractAppTest, KeepsTheLastFourOpenedMostRecentFirst) {
  const std::vector<std::string> files{env.dir.File("a.html"), env.dir.File("b.html"),
                                       env.dir.File("c.html"), env.dir.File("d.html"),
                                       env.dir.File("e.html")};
  RunOpening(files);
  EXPECT_EQ(StoredRecentFiles(), (std::vector<std::string>{files[4], files[3], files[2], files[1]}));

  // The next run starts from that list; a file opened again moves to the front.
  RunOpening({files[2]});
  EXPECT_EQ(StoredRecentFiles(), (std::vector<std::string>{files[2], files[4], files[3], files[1]}));
}

TEST_F(ExtractAppTest, MessageBoxesCarryTheNameAndBelongToTheMainDialog) {
  CExtractApp app(Store());
  QWidget* mainDialog = nullptr;
  OnMainDialog(env.kit, [&](CExtractDlg& d) {
    mainDialog = &d;
    env.files.Accept(env.dir.File("missing.html"));
    ChooseMenu(d, ID_FILE_OPEN);
    Click(d, IDC_SEARCH);
    ChooseMenu(d, ID_FILE_EXIT);
  });
  app.Run();
  ASSERT_EQ(env.boxes.requests.size(), 1u);
  EXPECT_EQ(env.boxes.requests[0].text, "Unable to open selected file.");
  EXPECT_EQ(env.boxes.requests[0].caption, AppName());
  EXPECT_EQ(env.boxes.requests[0].owner, mainDialog);
  EXPECT_EQ(env.boxes.requests[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
}

TEST_F(ExtractAppTest, CancelledOpenAddsNothing) {
  CExtractApp app(Store());
  OnMainDialog(env.kit, [&](CExtractDlg& d) {
    env.files.Cancel();
    ChooseMenu(d, ID_FILE_OPEN);
    QTest::keyClick(&d, Qt::Key_Escape);
  });
  app.Run();
  EXPECT_TRUE(StoredRecentFiles().empty());
}

}  // namespace
}  // namespace linkrake::testing
