// File > Save as... from the main dialog: the save dialog it asks for, the file and format it
// chooses from the name and filter, the bytes it writes, and the failure message.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "MainDialogDriver.h"
#include "output/SaveContent.h"

namespace linkrake::testing {
namespace {

// Links with bytes that mean something in a page or a format string.
constexpr char kPage[] =
    "http://a.example/?q=1&r=2 http://b.example/100%25 http://c.example/<b>\r\n"
    "<a href=\"local.html\">here</a>\r\n";

class SaveResultsTest : public ::testing::Test {
 protected:
  // Runs the dialog: opens and searches the page, then `action`.
  void RunAfterSearch(std::function<void(CExtractDlg&)> action) {
    const std::string page = env.dir.Write("page.html", kPage);
    OnMainDialog(env.kit, [&, page](CExtractDlg& d) {
      env.files.Accept(page);
      ChooseMenu(d, ID_FILE_OPEN);
      Click(d, IDC_SEARCH);
      ASSERT_EQ(TextOf(d, IDC_ITEM_COUNT), "4");
      env.boxes.requests.clear();
      action(d);
    });
    dlg.DoModal();
  }

  WindowFixture env;
  CExtractDlg dlg;
};

struct SaveCase {
  const char* name;
  const char* typed;  // the name the user confirms
  int filterIndex;
  const char* written;  // the file that must appear
  SaveFormat format;
};
void PrintTo(const SaveCase& c, std::ostream* os) { *os << c.name; }

class SaveFormatTest : public SaveResultsTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveFormatTest, WritesTheListInTheChosenFormat) {
  const SaveCase& c = GetParam();
  RunAfterSearch([&](CExtractDlg& d) {
    // Typed into the base edit after the search: the page's title takes it as it is now.
    TypeInto(d, IDC_BASE_EDIT, "typed & <base>");
    const std::vector<std::string> shownBefore = ShownLinks(d);
    env.files.Accept(env.dir.File(c.typed), c.filterIndex);
    ChooseMenu(d, ID_FILE_SAVE_RESULTS);

    ASSERT_EQ(env.files.requests.size(), 2u);
    const FileDialogRequest& request = env.files.requests[1];
    EXPECT_FALSE(request.open);
    EXPECT_EQ(request.filterIndex, 1);
    EXPECT_TRUE(request.flags & OFN_OVERWRITEPROMPT);
    const std::vector<std::pair<std::string, std::string>> expectedFilters{
        {"Text files (*.txt)", "*.txt"},
        {"HTML files (*.html)", "*.html"},
        {"GetRight download list (*.txt)", "*.txt"},
        {"All files(*.*)", "*.*"}};
    ASSERT_EQ(request.filters.size(), expectedFilters.size());
    for (std::size_t i = 0; i < expectedFilters.size(); ++i) {
      EXPECT_EQ(request.filters[i].description, expectedFilters[i].first);
      EXPECT_EQ(request.filters[i].pattern, expectedFilters[i].second);
    }

    EXPECT_TRUE(env.boxes.requests.empty());
    const std::string written = env.dir.File(c.written);
    ASSERT_TRUE(std::filesystem::exists(written));
    const std::string base = c.format == SaveFormat::Html ? "typed & <base>" : "";
    EXPECT_EQ(ReadFileBytes(written), BuildSaveContent(d.Links(), c.format, base));
    if (std::string(c.typed) != c.written) {
      EXPECT_FALSE(std::filesystem::exists(env.dir.File(c.typed)));
    }
    // Saving leaves the window as it was.
    EXPECT_EQ(ShownLinks(d), shownBefore);
    EXPECT_EQ(TextOf(d, IDC_ITEM_COUNT), "4");
    EXPECT_EQ(TextOf(d, IDC_BASE_EDIT), "typed & <base>");
  });
}

INSTANTIATE_TEST_SUITE_P(
    Names, SaveFormatTest,
    ::testing::Values(SaveCase{"TextNoExtension", "links", 1, "links.txt", SaveFormat::PlainText},
                      SaveCase{"HtmlNoExtension", "links", 2, "links.html", SaveFormat::Html},
                      SaveCase{"DownloadListNoExtension", "links", 3, "links.txt", SaveFormat::DownloadList},
                      SaveCase{"DownloadFilterWithExtension", "links.txt", 3, "links.txt", SaveFormat::PlainText},
                      SaveCase{"AllFilesNoExtension", "links", 4, "links.txt", SaveFormat::PlainText},
                      SaveCase{"HtmlFilterTextName", "page.txt", 2, "page.txt", SaveFormat::Html},
                      SaveCase{"TextFilterHtmlName", "page.html", 1, "page.html", SaveFormat::PlainText}),
    [](const ::testing::TestParamInfo<SaveCase>& info) { return std::string(info.param.name); });

TEST_F(SaveResultsTest, AnHtmlPageShowsTheBaseAndEveryLinkInCrLfLines) {
  RunAfterSearch([&](CExtractDlg& d) {
    env.files.Accept(env.dir.File("out"), 2);
    ChooseMenu(d, ID_FILE_SAVE_RESULTS);
  });
  const std::string bytes = ReadFileBytes(env.dir.File("out.html"));
  EXPECT_EQ(bytes.rfind("<html> \r\n<head> \r\n<title>Morvane Linkrake results of http://www.morvane.example</title> \r\n", 0), 0u)
      << bytes;
  EXPECT_NE(bytes.find("<a href=\"http://www.morvane.example/local.html\">"), std::string::npos);
  EXPECT_EQ(bytes.find("\n\n"), std::string::npos);
  for (std::size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1))
    EXPECT_EQ(bytes[at - 1], '\r') << "at byte " << at;
}

TEST_F(SaveResultsTest, CancelledSaveWritesNothing) {
  RunAfterSearch([&](CExtractDlg& d) {
    env.files.Cancel();
    ChooseMenu(d, ID_FILE_SAVE_RESULTS);
    EXPECT_TRUE(env.boxes.requests.empty());
  });
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(env.dir.Path()))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"page.html", "settings"}));
}

TEST_F(SaveResultsTest, AFileThatCannotBeWrittenIsReportedWithItsPath) {
  const std::string typed = env.dir.File("no-such-folder/links");
  RunAfterSearch([&](CExtractDlg& d) {
    env.files.Accept(typed, 1);
    ChooseMenu(d, ID_FILE_SAVE_RESULTS);
    EXPECT_EQ(env.boxes.Texts(), std::vector<std::string>{
                                     "Unable to save contents to selected output file.\n(" + typed + ".txt)"});
    EXPECT_EQ(TextOf(d, IDC_ITEM_COUNT), "4");
  });
  EXPECT_FALSE(std::filesystem::exists(env.dir.File("no-such-folder")));
}

TEST_F(SaveResultsTest, AnEmptyListStillMakesTheFile) {
  OnMainDialog(env.kit, [&](CExtractDlg& d) {
    env.files.Accept(env.dir.File("empty"), 3);
    ChooseMenu(d, ID_FILE_SAVE_RESULTS);
  });
  dlg.DoModal();
  const std::string written = env.dir.File("empty.txt");
  ASSERT_TRUE(std::filesystem::exists(written));
  EXPECT_EQ(ReadFileBytes(written), "");
  EXPECT_TRUE(env.boxes.requests.empty());
}

}  // namespace
}  // namespace linkrake::testing
