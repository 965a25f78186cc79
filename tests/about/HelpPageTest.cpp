// F1's help page: where it is looked for, the browser first, and the program's own window
// when the browser does not take it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTextBrowser>
#include <QUrl>
#include <filesystem>
#include <string>
#include <vector>

#include "about/GeneralHelp.h"
#include "about/HelpPage.h"
#include "about/HelpWindow.h"
#include "framework/testing/RecordingShell.h"
#include "support/TempDir.h"

namespace linkrake {
namespace {

namespace fs = std::filesystem;
using testing::RecordingShell;
using testing::TempDir;

const std::string kSourcePage = std::string(LINKRAKE_SOURCE_DIR) + "/src/about/help/linkrake-help.html";

// Closes the help window a test opened.
class HelpPageTest : public ::testing::Test {
 protected:
  void TearDown() override {
    delete HelpWindow::Current();
    ASSERT_EQ(HelpWindow::Current(), nullptr);
  }
  RecordingShell shell;
};

TEST_F(HelpPageTest, ABuildRunFindsThePageInTheSourceTree) {
  const std::string page = HelpPagePath();
  ASSERT_FALSE(page.empty());
  EXPECT_TRUE(fs::equivalent(page, kSourcePage));
  const std::string html = testing::ReadFileBytes(page);
  EXPECT_NE(html.find("<title>Linkrake Help</title>"), std::string::npos);
}

TEST_F(HelpPageTest, AnInstalledPageBesideTheProgramComesFirst) {
  TempDir prefix;
  fs::create_directories(prefix.Path() / "bin");
  const fs::path docs = prefix.Path() / "share" / "doc" / "linkrake";
  fs::create_directories(docs);
  const std::vector<std::string> candidates = HelpPageCandidates((prefix.Path() / "bin").string());

  // Not installed yet: the source tree's page.
  EXPECT_TRUE(fs::equivalent(FindHelpPage(candidates), kSourcePage));
  const std::string installed = (docs / kHelpPageName).string();
  prefix.Write("share/doc/linkrake/linkrake-help.html", "<html></html>");
  EXPECT_EQ(FindHelpPage(candidates), installed);
  EXPECT_EQ(FindHelpPage({}), "");
  EXPECT_EQ(FindHelpPage({(docs / "missing.html").string()}), "");
}

TEST_F(HelpPageTest, ThePageOpensInTheBrowserAsAFileAddress) {
  shell.Succeed();
  EXPECT_EQ(OpenHelpPage(kSourcePage), nullptr);
  ASSERT_EQ(shell.opened.size(), 1u);
  const QUrl opened(QString::fromStdString(shell.opened[0]));
  EXPECT_EQ(opened.scheme().toStdString(), "file");
  EXPECT_TRUE(fs::equivalent(opened.toLocalFile().toStdString(), kSourcePage));
  EXPECT_EQ(HelpWindow::Current(), nullptr);
  EXPECT_EQ(shell.beeps, 0);
}

TEST_F(HelpPageTest, FileAddressesEncodeWhatAnAddressCannotHold) {
  EXPECT_EQ(FileUrl("/tmp/my help/page #1.html"), "file:///tmp/my%20help/page%20%231.html");
}

TEST_F(HelpPageTest, WithoutABrowserThePageShowsInTheProgramsOwnWindow) {
  shell.defaultResult = false;
  QWidget* window = OpenHelpPage(kSourcePage);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window, HelpWindow::Current());
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(window->isModal());
  EXPECT_EQ(window->windowTitle().toStdString(), "Linkrake Help");
  const QString shown = HelpWindow::Current()->Browser()->toPlainText();
  EXPECT_TRUE(shown.contains(QStringLiteral("Choosing the page")));
  EXPECT_EQ(shell.opened.size(), 1u);

  // Asking again brings the same window back.
  EXPECT_EQ(OpenHelpPage(kSourcePage), window);

  // A web address on the page goes to the browser, not into the help window.
  shell.defaultResult = true;
  emit HelpWindow::Current()->Browser()->anchorClicked(QUrl(QStringLiteral("http://www.example.test/")));
  EXPECT_EQ(shell.opened.back(), "http://www.example.test/");
  EXPECT_TRUE(HelpWindow::Current()->Browser()->toPlainText().contains(QStringLiteral("Choosing the page")));
}

TEST_F(HelpPageTest, WithoutAPageTheWindowShowsTheGeneralHelpText) {
  QWidget* window = OpenHelpPage("");
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(shell.opened.empty());
  EXPECT_EQ(HelpWindow::Current()->Browser()->toPlainText().toStdString(), GeneralHelpText());
}

}  // namespace
}  // namespace linkrake
