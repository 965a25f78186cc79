// The main dialog through its own widgets: start states, File > Open, the search with its
// options, and the ways the dialog ends.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QProgressBar>
#include <QTreeView>
#include <QtTest/QTest>
#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "MainDialogDriver.h"
#include "extract/Messages.h"
#include "extract/Product.h"
#include "framework/FileDialog.h"

namespace linkrake::testing {
namespace {

using Links = std::vector<std::string>;

// Relative anchors take the base; http:// and ftp:// links stand as they are; a.example twice.
constexpr char kPage[] =
    "<a href=\"page.html\">p</a>\r\n"
    "see http://b.example/ and http://a.example/ here\r\n"
    "again http://a.example/ and ftp://f.example/x.zip done\r\n";
const std::string kBaseLink = std::string(kMakerSite) + "/page.html";

class ExtractDlgTest : public ::testing::Test {
 protected:
  // Runs the dialog with `action` and returns its end code.
  int Run(std::function<void(CExtractDlg&)> action) {
    OnMainDialog(env.kit, std::move(action));
    return dlg.DoModal();
  }
  // File > Open answered with `path`.
  void Open(CExtractDlg& d, const std::string& path) {
    env.files.Accept(path);
    ChooseMenu(d, ID_FILE_OPEN);
  }

  WindowFixture env;
  CExtractDlg dlg;
};

TEST_F(ExtractDlgTest, StartsWithTheControlsInTheirFirstStates) {
  Run([&](CExtractDlg& d) {
    EXPECT_EQ(d.windowTitle().toStdString(), "Linkrake 2.2");
    EXPECT_FALSE(IsEnabled(d, IDC_SEARCH));
    EXPECT_FALSE(IsEnabled(d, IDC_BASE_EDIT));
    EXPECT_EQ(TextOf(d, IDC_BASE_EDIT), "-");
    EXPECT_EQ(TextOf(d, IDC_BASE_LABEL), "Base location:");
    EXPECT_EQ(TextOf(d, IDC_ITEM_COUNT), "0");
    EXPECT_TRUE(IsChecked(d, IDC_OPT_ALL));
    for (int id : {IDC_OPT_AHREF, IDC_OPT_HTTP, IDC_OPT_FTP, IDC_REMOVE_LINES})
      EXPECT_FALSE(IsChecked(d, id)) << id;
    EXPECT_TRUE(IsChecked(d, IDC_REMOVE_DUPS));
    EXPECT_TRUE(IsEnabled(d, IDC_EXCLUDE_EDIT));
    EXPECT_EQ(TextOf(d, IDC_EXCLUDE_EDIT), "");
    EXPECT_EQ(ListModel(d).rowCount(), 0);
    EXPECT_FALSE(d.windowIcon().isNull());
    // The temporary file sits in the user's temporary folder, which this test moved.
    EXPECT_EQ(std::string(d.TempPath()), env.TempFilePath());
    // The text member is not the edit's "-" until the next exchange.
    EXPECT_EQ(d.Base(), "");
    EXPECT_TRUE(d.InputPath().empty());
  });
  EXPECT_TRUE(env.boxes.requests.empty());
}

TEST_F(ExtractDlgTest, FileOpenCancelledChangesNothing) {
  Run([&](CExtractDlg& d) {
    env.files.Cancel();
    ChooseMenu(d, ID_FILE_OPEN);
    ASSERT_EQ(env.files.requests.size(), 1u);
    EXPECT_FALSE(IsEnabled(d, IDC_SEARCH));
    EXPECT_FALSE(IsEnabled(d, IDC_BASE_EDIT));
    EXPECT_EQ(TextOf(d, IDC_BASE_EDIT), "-");
    EXPECT_TRUE(d.InputPath().empty());
  });
}

TEST_F(ExtractDlgTest, FileOpenTakesAnyNameAndReadiesTheSearch) {
  const std::string missing = env.dir.File("not-yet-there.html");
  Run([&](CExtractDlg& d) {
    TypeInto(d, IDC_EXCLUDE_EDIT, "typed but never read back");
    Open(d, missing);
    ASSERT_EQ(env.files.requests.size(), 1u);
    const FileDialogRequest& request = env.files.requests[0];
    EXPECT_TRUE(request.open);
    EXPECT_EQ(request.filterIndex, 1);
    ASSERT_EQ(request.filters.size(), 3u);
    EXPECT_EQ(request.filters[0].description, "Text files (*.txt)");
    EXPECT_EQ(request.filters[0].pattern, "*.txt");
    EXPECT_EQ(request.filters[1].description, "HTML files (*.html, *.htm)");
    EXPECT_EQ(request.filters[1].pattern, "*.htm*");
    EXPECT_EQ(request.filters[2].description, "All files(*.*)");
    EXPECT_EQ(request.filters[2].pattern, "*.*");

    EXPECT_EQ(d.InputPath(), missing);
    EXPECT_TRUE(IsEnabled(d, IDC_SEARCH));
    EXPECT_TRUE(IsEnabled(d, IDC_BASE_EDIT));
    EXPECT_EQ(TextOf(d, IDC_BASE_EDIT), kMakerSite);
    EXPECT_EQ(TextOf(d, IDC_BASE_LABEL), "Base location:");
    // Both edits are rewritten from their members.
    EXPECT_EQ(TextOf(d, IDC_EXCLUDE_EDIT), "");
  });
}

struct SearchCase {
  const char* name;
  int radio;
  bool removeDups;
  bool removeLines;
  const char* exclude;
  Links expected;
};
void PrintTo(const SearchCase& c, std::ostream* os) { *os << c.name; }

class SearchOptionsTest : public ExtractDlgTest, public ::testing::WithParamInterface<SearchCase> {};

TEST_P(SearchOptionsTest, ListsWhatTheOptionsLeave) {
  const SearchCase& c = GetParam();
  const std::string page = env.dir.Write("page.html", kPage);
  Run([&](CExtractDlg& d) {
    Open(d, page);
    SetChecked(d, c.radio, true);
    SetChecked(d, IDC_REMOVE_DUPS, c.removeDups);
    SetChecked(d, IDC_REMOVE_LINES, c.removeLines);
    TypeInto(d, IDC_EXCLUDE_EDIT, c.exclude);
    // While the closing message is up, the list and the count are already complete.
    env.boxes.onShow = [&](const MessageBoxRequest&) {
      EXPECT_EQ(ShownLinks(d), c.expected);
      EXPECT_EQ(TextOf(d, IDC_ITEM_COUNT), std::to_string(c.expected.size()));
    };
    Click(d, IDC_SEARCH);
    env.boxes.onShow = nullptr;

    EXPECT_EQ(env.boxes.Texts(), std::vector<std::string>{std::string(kDoneMessage)});
    EXPECT_EQ(ShownLinks(d), c.expected);
    EXPECT_EQ(TextOf(d, IDC_ITEM_COUNT), std::to_string(c.expected.size()));
    auto* bar = d.GetDlgItem<QProgressBar>(IDC_PROGRESS);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->maximum(), 30000);
    EXPECT_EQ(bar->value(), 30000);
    QAbstractItemModel& model = ListModel(d);
    ASSERT_EQ(model.columnCount(), 1);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString().toStdString(), "Address");
    EXPECT_EQ(d.GetDlgItem<QTreeView>(IDC_LINK_LIST)->header()->sectionSize(0), 500);
    // The file the user opened is the user's: a search never removes it.
    EXPECT_TRUE(std::filesystem::exists(page));
  });
}

INSTANTIATE_TEST_SUITE_P(
    Options, SearchOptionsTest,
    ::testing::Values(
        SearchCase{"AllWithoutDuplicates", IDC_OPT_ALL, true, false, "",
                   {"ftp://f.example/x.zip", "http://a.example/", "http://b.example/", kBaseLink}},
        SearchCase{"AllWithDuplicates", IDC_OPT_ALL, false, false, "",
                   {"ftp://f.example/x.zip", "http://a.example/", "http://a.example/",
                    "http://b.example/", kBaseLink}},
        SearchCase{"AnchorsOnly", IDC_OPT_AHREF, true, false, "", {kBaseLink}},
        SearchCase{"HttpOnly", IDC_OPT_HTTP, true, false, "", {"http://a.example/", "http://b.example/"}},
        SearchCase{"FtpOnly", IDC_OPT_FTP, true, false, "", {"ftp://f.example/x.zip"}},
        SearchCase{"ExclusionWithStars", IDC_OPT_ALL, false, true, "a.*ex",
                   {"ftp://f.example/x.zip", "http://b.example/", kBaseLink}},
        SearchCase{"ExclusionTextUnusedWhileUnchecked", IDC_OPT_ALL, true, false, "a.ex",
                   {"ftp://f.example/x.zip", "http://a.example/", "http://b.example/", kBaseLink}}),
    [](const ::testing::TestParamInfo<SearchCase>& info) { return std::string(info.param.name); });

TEST_F(ExtractDlgTest, AnItemEditedInPlaceKeepsItsText) {
  const std::string page = env.dir.Write("page.html", kPage);
  Run([&](CExtractDlg& d) {
    Open(d, page);
    Click(d, IDC_SEARCH);
    const Links before = ShownLinks(d);
    auto* view = d.GetDlgItem<QTreeView>(IDC_LINK_LIST);
    ASSERT_NE(view, nullptr);
    const QModelIndex first = view->model()->index(0, 0);
    view->setCurrentIndex(first);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(view->indexWidget(first));
    if (!editor) editor = view->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr) << "editing did not start";
    editor->setText("http://changed.example/");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(ShownLinks(d), before);
    EXPECT_EQ(std::string(d.Links().GetItemText(0)), before.front());
  });
}

TEST_F(ExtractDlgTest, EmptyResultGetsThePlaceholderAfterTheMessage) {
  const std::string page = env.dir.Write("empty.txt", "");
  Run([&](CExtractDlg& d) {
    Open(d, page);
    env.boxes.onShow = [&](const MessageBoxRequest&) { EXPECT_EQ(ListModel(d).rowCount(), 0); };
    Click(d, IDC_SEARCH);
    env.boxes.onShow = nullptr;
    EXPECT_EQ(env.boxes.Texts(), std::vector<std::string>{std::string(kDoneMessage)});
    EXPECT_EQ(ShownLinks(d), Links{std::string(kNoLinksItem)});
    EXPECT_EQ(TextOf(d, IDC_ITEM_COUNT), "0");
  });
}

TEST_F(ExtractDlgTest, MissingInputEndsWithTheFailureAndKeepsTheCount) {
  const std::string page = env.dir.Write("page.html", kPage);
  Run([&](CExtractDlg& d) {
    Open(d, page);
    Click(d, IDC_SEARCH);
    ASSERT_EQ(TextOf(d, IDC_ITEM_COUNT), "4");
    std::filesystem::remove(page);
    env.boxes.requests.clear();

    Click(d, IDC_SEARCH);
    EXPECT_EQ(env.boxes.Texts(), std::vector<std::string>{std::string(kOpenFailedMessage)});
    EXPECT_EQ(ListModel(d).rowCount(), 0);
    EXPECT_EQ(ListModel(d).columnCount(), 0);
    EXPECT_EQ(TextOf(d, IDC_ITEM_COUNT), "4");
  });
}

TEST_F(ExtractDlgTest, ADownloadedPageCanBeSearchedOnce) {
  Run([&](CExtractDlg& d) {
    const std::string temp = d.TempPath();
    env.dir.Write(kTempFileName, "a link: http://once.example/\r\n");
    Open(d, temp);
    Click(d, IDC_SEARCH);
    EXPECT_EQ(ShownLinks(d), Links{"http://once.example/"});
    EXPECT_FALSE(std::filesystem::exists(temp));

    Click(d, IDC_SEARCH);
    EXPECT_EQ(env.boxes.Texts(),
              (std::vector<std::string>{std::string(kDoneMessage), std::string(kOpenFailedMessage)}));
    EXPECT_EQ(ListModel(d).rowCount(), 0);
  });
}

TEST_F(ExtractDlgTest, TheBarMovesWhileALargeFileIsRead) {
  std::string text;
  for (int i = 0; text.size() < 40'000; ++i) text += "line " + std::to_string(i) + " http://x.example/" + std::to_string(i) + "\r\n";
  const std::string page = env.dir.Write("large.txt", text);
  std::vector<int> positions;
  Run([&](CExtractDlg& d) {
    Open(d, page);
    auto* bar = d.GetDlgItem<QProgressBar>(IDC_PROGRESS);
    ASSERT_NE(bar, nullptr);
    QObject::connect(bar, &QProgressBar::valueChanged, [&](int value) { positions.push_back(value); });
    Click(d, IDC_SEARCH);
  });
  ASSERT_GE(positions.size(), 3u);
  EXPECT_EQ(positions.back(), 30000);
  const bool between = std::any_of(positions.begin(), positions.end(),
                                   [](int p) { return p > 0 && p < 30000; });
  EXPECT_TRUE(between);
  EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
}

// How the dialog is ended, what it returns, and whether the edits were read back.
struct EndCase {
  const char* name;
  std::function<void(CExtractDlg&)> end;
  int code;
  bool readsBack;
};
void PrintTo(const EndCase& c, std::ostream* os) { *os << c.name; }

class EndingTest : public ExtractDlgTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(EndingTest, EndsAndRemovesTheTemporaryFile) {
  const EndCase& c = GetParam();
  int code = Run([&](CExtractDlg& d) {
    env.dir.Write(kTempFileName, "left by a download");
    TypeInto(d, IDC_EXCLUDE_EDIT, "typed");
    c.end(d);
    EXPECT_FALSE(d.IsRunning());
  });
  EXPECT_EQ(code, c.code);
  EXPECT_EQ(dlg.Exclude(), c.readsBack ? "typed" : "");
  EXPECT_FALSE(std::filesystem::exists(env.TempFilePath()));
  EXPECT_TRUE(env.boxes.requests.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, EndingTest,
    ::testing::Values(
        EndCase{"FileExit", [](CExtractDlg& d) { ChooseMenu(d, ID_FILE_EXIT); }, IDOK, true},
        EndCase{"ExitButton", [](CExtractDlg& d) { Click(d, IDOK); }, IDOK, true},
        EndCase{"Escape", [](CExtractDlg& d) { QTest::keyClick(&d, Qt::Key_Escape); }, IDCANCEL, false},
        EndCase{"CloseBox", [](CExtractDlg& d) { d.close(); }, IDCANCEL, false}),
    [](const ::testing::TestParamInfo<EndCase>& info) { return std::string(info.param.name); });

TEST_F(ExtractDlgTest, NoTemporaryFileIsNoTrouble) {
  const int code = Run([&](CExtractDlg& d) { ChooseMenu(d, ID_FILE_EXIT); });
  EXPECT_EQ(code, IDOK);
  EXPECT_TRUE(env.boxes.requests.empty());
}

}  // namespace
}  // namespace linkrake::testing
