// HTML > Open URL... through the real main window offscreen: the Open URL dialog answered like a
// user would, pages from a real HTTP server on 127.0.0.1, the temporary file in a temporary
// folder of its own, the recent addresses in a settings store of their own.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/CExtractDlg.h"
#include "app/COpenUrlDlg.h"
#include "framework/ControlProperties.h"
#include "framework/testing/ModalTestKit.h"
#include "framework/testing/RecordingMessageBox.h"
#include "registry/SettingsLocation.h"
#include "res/ResourceIds.h"
#include "sources/CRegistryAccess.h"
#include "sources/OpenUrlCommand.h"
#include "sources/RecentUrlStore.h"
#include "support/LocalServer.h"
#include "support/TempDir.h"

namespace linkrake {
namespace {

namespace fs = std::filesystem;
using testing::ModalTestKit;
using testing::ReadFileBytes;
using testing::RecordingMessageBox;
using testing::TempDir;
using Texts = std::vector<std::string>;

// Pages from a real HTTP server on 127.0.0.1, each path answered with its status and body (a 404
// page for an unknown one), sent as they are, never compressed. The line of every request is
// kept. A page can announce more than it sends and hang up (a body cut short) or never answer
// (a server gone silent).
class PageServer {
 public:
  PageServer() {
    httplib::Server& routes = server_.routes();
    // Before the routing, so that requests no route answers are counted too.
    routes.set_pre_routing_handler([this](const httplib::Request& request, httplib::Response&) {
      std::lock_guard lock(mutex_);
      requestLines_.push_back(request.method + " " + request.target + " " + request.version);
      return httplib::Server::HandlerResponse::Unhandled;
    });
    routes.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
      Answer(request.path, response);
    });
    server_.start();
  }
  PageServer(const PageServer&) = delete;
  PageServer& operator=(const PageServer&) = delete;

  void Route(const std::string& path, int status, std::string body) {
    std::lock_guard lock(mutex_);
    pages_[path] = Page{status, std::move(body), 0, false};
  }
  // Announces `announced` bytes, sends `body` and hangs up.
  void RouteCutShort(const std::string& path, std::string body, std::size_t announced) {
    std::lock_guard lock(mutex_);
    pages_[path] = Page{200, std::move(body), announced, false};
  }
  // Takes the request and sends nothing back until the test is over.
  void RouteSilent(const std::string& path) {
    std::lock_guard lock(mutex_);
    pages_[path] = Page{200, {}, 0, true};
  }

  // host:port/path, without a scheme.
  std::string Address(const std::string& path) const {
    return "127.0.0.1:" + std::to_string(server_.port()) + path;
  }
  int Requests() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(requestLines_.size());
  }
  Texts RequestLines() const {
    std::lock_guard lock(mutex_);
    return requestLines_;
  }

 private:
  struct Page {
    int status;
    std::string body;
    std::size_t announced;  // the length the headers give, when larger than the body
    bool silent;
  };

  void Answer(const std::string& path, httplib::Response& response) {
    Page page{404, "no such page", 0, false};
    {
      std::lock_guard lock(mutex_);
      if (const auto found = pages_.find(path); found != pages_.end()) page = found->second;
    }
    if (page.silent) {
      server_.holdUntilReleased();
      return;
    }
    response.status = page.status;
    // A body with its length given up front goes out as it is, where set_content would
    // compress a text page for a reader that accepts it; an empty one has nothing to compress
    // and needs set_content to carry its zero length.
    if (page.body.empty() && page.announced == 0) {
      response.set_content(std::string(), "text/html");
      return;
    }
    auto body = std::make_shared<const std::string>(std::move(page.body));
    response.set_content_provider(
        std::max(page.announced, body->size()), "text/html",
        [body](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
          if (offset >= body->size()) return false;  // hangs up short of the announced length
          sink.write(body->data() + offset, std::min(length, body->size() - offset));
          return true;
        });
  }

  mutable std::mutex mutex_;
  std::map<std::string, Page> pages_;
  Texts requestLines_;
  // Last, so that it stops before the pages its handlers read go away.
  test::LocalServer server_;
};

std::string Text(const QWidget* control) { return control ? GetWindowText(control) : "<no control>"; }

// What the main window shows and holds, as far as this command touches it.
struct MainState {
  bool searchEnabled = false;
  bool baseEditEnabled = false;
  std::string baseEdit;
  std::string label;
  std::string base;
  std::string inputPath;

  bool operator==(const MainState&) const = default;
};

std::ostream& operator<<(std::ostream& out, const MainState& s) {
  return out << "{search " << (s.searchEnabled ? "on" : "off") << ", base edit "
             << (s.baseEditEnabled ? "on" : "off") << " \"" << s.baseEdit << "\", label \"" << s.label
             << "\", base \"" << s.base << "\", input \"" << s.inputPath << "\"}";
}

MainState StateOf(const CExtractDlg& main) {
  MainState s;
  const QWidget* search = main.GetDlgItem(IDC_SEARCH);
  const QWidget* edit = main.GetDlgItem(IDC_BASE_EDIT);
  s.searchEnabled = search && search->isEnabled();
  s.baseEditEnabled = edit && edit->isEnabled();
  s.baseEdit = Text(edit);
  s.label = Text(main.GetDlgItem(IDC_BASE_LABEL));
  s.base = main.Base();
  s.inputPath = main.InputPath();
  return s;
}

// The texts the base location edit showed each time it was painted, repeats dropped.
class PaintLog : public QObject {
 public:
  explicit PaintLog(QWidget* edit) : edit_(edit) {
    if (edit_) edit_->installEventFilter(this);
  }
  ~PaintLog() override {
    if (edit_) edit_->removeEventFilter(this);
  }
  void Clear() { texts.clear(); }
  Texts texts;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == edit_ && event->type() == QEvent::Paint) {
      const std::string text = Text(edit_);
      if (texts.empty() || texts.back() != text) texts.push_back(text);
    }
    return false;
  }

 private:
  QWidget* edit_;
};

enum class CloseBy { Ok, Cancel, Escape, CloseBox };

const char* Name(CloseBy how);
void PrintTo(CloseBy how, std::ostream* out) { *out << Name(how); }

const char* Name(CloseBy how) {
  switch (how) {
    case CloseBy::Ok: return "Ok";
    case CloseBy::Cancel: return "Cancel";
    case CloseBy::Escape: return "Escape";
    case CloseBy::CloseBox: return "CloseBox";
  }
  return "?";
}

class OpenUrlCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::clearProxyEnvironment();
    if (const char* tmp = std::getenv("TMPDIR")) savedTmpDir_ = tmp;
    ::setenv("TMPDIR", tempFolder_.Path().c_str(), 1);
    setDefaultSettingsFolder(settingsFolder_.Path());
    savedSettings_ = CurrentOpenUrlSettings();
    CurrentOpenUrlSettings().finishedPause = std::chrono::milliseconds(150);
    CurrentOpenUrlSettings().readerLimits.connectTimeout = std::chrono::seconds(5);
    CurrentOpenUrlSettings().readerLimits.stallTimeout = std::chrono::seconds(5);
  }
  void TearDown() override {
    CurrentOpenUrlSettings() = savedSettings_;
    setDefaultSettingsFolder({});
    if (savedTmpDir_) ::setenv("TMPDIR", savedTmpDir_->c_str(), 1);
    else ::unsetenv("TMPDIR");
  }

  std::string TempFile() const { return tempFolder_.File(kTempFileName); }

  // Runs the main window: the About box it opens with is closed, then `body` runs on the
  // window, which is closed afterwards.
  void RunMainWindow(const std::function<void(CExtractDlg&)>& body) {
    kit_.OnNextModal<CDialog>([](CDialog& about) { about.EndDialog(IDOK); });
    kit_.OnNextModal<CExtractDlg>([&](CExtractDlg& main) {
      body(main);
      main.EndDialog(IDOK);
    });
    CExtractDlg main;
    main.DoModal();
  }

  // Runs HTML > Open URL... on the window: `typed` goes into the combo box, the dialog is
  // closed the way given. The paint log starts over when the dialog closes.
  void OpenUrl(CExtractDlg& main, const std::string& typed, CloseBy how, PaintLog* paints = nullptr) {
    kit_.OnNextModal<COpenUrlDlg>([&](COpenUrlDlg& dialog) {
      auto* combo = dialog.GetDlgItem<QComboBox>(IDC_URL_COMBO);
      ASSERT_NE(combo, nullptr);
      ASSERT_NE(combo->lineEdit(), nullptr);
      offered_.clear();
      for (int i = 0; i < combo->count(); ++i) offered_.push_back(combo->itemText(i).toStdString());
      QTest::keyClicks(combo->lineEdit(), QString::fromStdString(typed));
      if (paints) paints->Clear();
      switch (how) {
        case CloseBy::Ok: QTest::mouseClick(dialog.GetDlgItem(IDOK), Qt::LeftButton); break;
        case CloseBy::Cancel: QTest::mouseClick(dialog.GetDlgItem(IDCANCEL), Qt::LeftButton); break;
        case CloseBy::Escape: QTest::keyClick(combo->lineEdit(), Qt::Key_Escape); break;
        case CloseBy::CloseBox: dialog.close(); break;
      }
    });
    ASSERT_TRUE(main.RouteCommand(ID_HTML_OPEN_URL));
  }

  // Clicks the search button and gives back the links listed.
  static Texts Search(CExtractDlg& main) {
    QTest::mouseClick(main.GetDlgItem(IDC_SEARCH), Qt::LeftButton);
    Texts links;
    for (std::size_t i = 0; i < main.Links().GetItemCount(); ++i) links.emplace_back(main.Links().GetItemText(i));
    return links;
  }

  TempDir tempFolder_;
  TempDir settingsFolder_;
  std::optional<std::string> savedTmpDir_;
  OpenUrlSettings savedSettings_;
  RecordingMessageBox boxes_;
  ModalTestKit kit_;
  PageServer server_;
  Texts offered_;  // what the combo box listed at the last opening
};

// A page the server sends, and the links a search of it lists (nullopt: not searched).
struct PageCase {
  const char* name;
  int status;
  std::string body;
  std::optional<Texts> links;  // "BASE" stands for the completed address
};

void PrintTo(const PageCase& page, std::ostream* out) { *out << page.name; }

std::string LargeBody() {
  std::string body;
  while (body.size() < 200'000) body += std::string(199, 'x') + "\n";
  return body + "http://end.example/last\n";
}

const PageCase kPages[] = {
    {"LineFeeds", 200, "<a href=\"next.html\">n</a>\nhttp://b.example/two\n", Texts{"BASE/next.html", "http://b.example/two"}},
    {"CarriageReturnLineFeeds", 200, "<a href=\"next.html\">n</a>\r\nhttp://b.example/two\r\n",
     Texts{"BASE/next.html", "http://b.example/two"}},
    {"NulBytes", 200, std::string("before\0after\nhttp://c.example/\n", 30), std::nullopt},
    {"Empty", 200, "", Texts{"No http:// addresses found."}},
    {"LongerThanOneRead", 200, LargeBody(), Texts{"http://end.example/last"}},
    {"NotFoundPage", 404, "<a href=\"http://gone.example/\">gone</a>", Texts{"http://gone.example/"}},
};

class OpenUrlPageTest : public OpenUrlCommandTest, public ::testing::WithParamInterface<PageCase> {};

TEST_P(OpenUrlPageTest, OkFetchesThePageIntoTheTemporaryFileForTheSearch) {
  const PageCase& page = GetParam();
  server_.Route("/page", page.status, page.body);
  const std::string typed = server_.Address("/page");
  const std::string completed = "http://" + typed;

  RunMainWindow([&](CExtractDlg& main) {
    ASSERT_STREQ(main.TempPath(), TempFile().c_str());
    PaintLog paints(main.GetDlgItem(IDC_BASE_EDIT));
    // The window keeps handling its events while "Finished" is on show.
    int ticksWhileFinished = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
      if (main.Base() == "Finished") ++ticksWhileFinished;
    });
    ticker.start(10);
    QElapsedTimer clock;
    clock.start();
    OpenUrl(main, typed, CloseBy::Ok, &paints);
    EXPECT_GE(clock.elapsed(), CurrentOpenUrlSettings().finishedPause.count());
    EXPECT_GT(ticksWhileFinished, 0);

    EXPECT_TRUE(boxes_.requests.empty()) << boxes_.requests.front().text;
    EXPECT_EQ(StateOf(main), (MainState{true, false, completed, "URL location", completed, TempFile()}));
    EXPECT_EQ(ReadFileBytes(TempFile()), page.body);
    EXPECT_EQ(fs::status(TempFile()).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(server_.RequestLines(), (Texts{"GET /page HTTP/1.1"}));
    // The typed address is never painted: the status line goes from reading to finished to
    // the completed address.
    Texts shown = paints.texts;
    std::erase(shown, "-");
    EXPECT_EQ(shown, (Texts{"Reading file...", "Finished", completed}));

    if (page.links) {
      Texts expected = *page.links;
      for (std::string& link : expected) {
        if (link.starts_with("BASE")) link.replace(0, 4, completed);
      }
      std::sort(expected.begin(), expected.end());
      EXPECT_EQ(Search(main), expected);
    }
  });
}

INSTANTIATE_TEST_SUITE_P(Pages, OpenUrlPageTest, ::testing::ValuesIn(kPages),
                         [](const ::testing::TestParamInfo<PageCase>& info) { return std::string(info.param.name); });

// Downloads that fail: what the user is told, and a window left without a page to search.
struct FailureCase {
  const char* name;
  std::function<std::string(PageServer&)> address;  // what the user types
  std::string failure;
  std::chrono::milliseconds stall{5'000};  // the reader's longest wait for a byte
};

void PrintTo(const FailureCase& failure, std::ostream* out) { *out << failure.name; }

const FailureCase kFailures[] = {
    {"NothingListening", [](PageServer&) { return "127.0.0.1:" + std::to_string(test::closedPort()) + "/page"; },
     "Unable to open URL"},
    {"BodyCutShort",
     [](PageServer& server) {
       server.RouteCutShort("/cut", "http://partial.example/\n", 100'000);
       return server.Address("/cut");
     },
     "Unable to read data"},
    {"NoHost", [](PageServer&) { return std::string("http://"); }, "Unable to open URL"},
    {"ServerGoesSilent",
     [](PageServer& server) {
       server.RouteSilent("/silent");
       return server.Address("/silent");
     },
     "Unable to open URL", std::chrono::milliseconds(300)},
};

class OpenUrlFailureTest : public OpenUrlCommandTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(OpenUrlFailureTest, IsShownWithItsReasonAndWritesNothing) {
  const FailureCase& failure = GetParam();
  const std::string typed = failure.address(server_);
  const std::string completed = typed.starts_with("http://") ? typed : "http://" + typed;
  CurrentOpenUrlSettings().readerLimits.stallTimeout = failure.stall;

  RunMainWindow([&](CExtractDlg& main) {
    const MainState before = StateOf(main);
    PaintLog paints(main.GetDlgItem(IDC_BASE_EDIT));
    OpenUrl(main, typed, CloseBy::Ok, &paints);

    ASSERT_EQ(boxes_.requests.size(), 1u);
    const std::string& text = boxes_.requests[0].text;
    EXPECT_TRUE(text.starts_with(failure.failure + "\n(")) << text;
    EXPECT_TRUE(text.ends_with(")")) << text;
    EXPECT_GT(text.size(), failure.failure.size() + 3) << "no reason given: " << text;
    EXPECT_EQ(boxes_.requests[0].type, MB_OK | MB_ICONERROR);
    EXPECT_EQ(StateOf(main), (MainState{false, true, completed, "URL location", completed, before.inputPath}));
    EXPECT_FALSE(fs::exists(fs::symlink_status(TempFile())));
    Texts shown = paints.texts;
    std::erase(shown, "-");
    EXPECT_EQ(shown, (Texts{"Reading file..."}));
  });
}

INSTANTIATE_TEST_SUITE_P(Downloads, OpenUrlFailureTest, ::testing::ValuesIn(kFailures),
                         [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

// Something other than a file of ours stands at the temporary path.
enum class InTheWay { LinkToAnotherFile, Folder };

void PrintTo(InTheWay way, std::ostream* out) { *out << (way == InTheWay::Folder ? "Folder" : "LinkToAnotherFile"); }

class OpenUrlTempFileTest : public OpenUrlCommandTest, public ::testing::WithParamInterface<InTheWay> {};

TEST_P(OpenUrlTempFileTest, ThatCannotBeWrittenIsReportedAndLeftAlone) {
  TempDir elsewhere;
  const std::string victim = elsewhere.Write("precious.txt", "keep me\n");
  if (GetParam() == InTheWay::LinkToAnotherFile) fs::create_symlink(victim, TempFile());
  else fs::create_directory(TempFile());
  server_.Route("/page", 200, "http://a.example/\n");
  const std::string completed = "http://" + server_.Address("/page");

  RunMainWindow([&](CExtractDlg& main) {
    const MainState before = StateOf(main);
    OpenUrl(main, server_.Address("/page"), CloseBy::Ok);

    ASSERT_EQ(boxes_.requests.size(), 1u);
    EXPECT_EQ(boxes_.requests[0].text,
              "Unable to create a temporary file.\nCheck if the disk is full.\nNo addresses can be found.");
    EXPECT_EQ(boxes_.requests[0].type, MB_OK | MB_ICONERROR);
    EXPECT_EQ(StateOf(main), (MainState{false, true, completed, "URL location", completed, before.inputPath}));
    EXPECT_EQ(server_.Requests(), 1);
    EXPECT_EQ(ReadFileBytes(victim), "keep me\n");
    if (GetParam() == InTheWay::LinkToAnotherFile) EXPECT_TRUE(fs::is_symlink(TempFile()));
    else EXPECT_TRUE(fs::is_directory(TempFile()));
  });
  EXPECT_EQ(ReadFileBytes(victim), "keep me\n");
}

INSTANTIATE_TEST_SUITE_P(Paths, OpenUrlTempFileTest, ::testing::Values(InTheWay::LinkToAnotherFile, InTheWay::Folder),
                         [](const ::testing::TestParamInfo<InTheWay>& info) {
                           return std::string(info.param == InTheWay::Folder ? "Folder" : "LinkToAnotherFile");
                         });

class OpenUrlCancelTest : public OpenUrlCommandTest, public ::testing::WithParamInterface<CloseBy> {};

TEST_P(OpenUrlCancelTest, LeavesTheWindowAsItWasButRecordsTheAddress) {
  server_.Route("/page", 200, "http://a.example/\n");
  const std::string typed = server_.Address("/page");

  RunMainWindow([&](CExtractDlg& main) {
    const MainState before = StateOf(main);
    PaintLog paints(main.GetDlgItem(IDC_BASE_EDIT));
    OpenUrl(main, typed, GetParam(), &paints);

    EXPECT_EQ(StateOf(main), before);
    EXPECT_TRUE(boxes_.requests.empty());
    Texts shown = paints.texts;
    std::erase(shown, "-");
    EXPECT_EQ(shown, Texts{});
  });
  EXPECT_EQ(server_.Requests(), 0);
  EXPECT_FALSE(fs::exists(fs::symlink_status(TempFile())));
  CRegistryAccess registry;
  EXPECT_EQ(registry.ReadStringValue(HKEY_CURRENT_USER, RecentUrlEntryKey(1), ""), typed);
}

INSTANTIATE_TEST_SUITE_P(Ways, OpenUrlCancelTest,
                         ::testing::Values(CloseBy::Cancel, CloseBy::Escape, CloseBy::CloseBox),
                         [](const ::testing::TestParamInfo<CloseBy>& info) { return std::string(Name(info.param)); });

TEST_F(OpenUrlCommandTest, ALaterDownloadReplacesTheEarlierPage) {
  server_.Route("/one", 200, "http://one.example/\n");
  server_.Route("/two", 200, "http://two.example/\n");

  RunMainWindow([&](CExtractDlg& main) {
    OpenUrl(main, server_.Address("/one"), CloseBy::Ok);
    EXPECT_EQ(ReadFileBytes(TempFile()), "http://one.example/\n");

    OpenUrl(main, "http://" + server_.Address("/two"), CloseBy::Ok);
    EXPECT_EQ(offered_, (Texts{server_.Address("/one")}));
    EXPECT_EQ(ReadFileBytes(TempFile()), "http://two.example/\n");
    EXPECT_EQ(StateOf(main).base, "http://" + server_.Address("/two"));
    EXPECT_EQ(Search(main), (Texts{"http://two.example/"}));
    EXPECT_EQ(boxes_.Texts(), (Texts{"Done searching the file."}));
  });
  EXPECT_EQ(server_.Requests(), 2);
}

}  // namespace
}  // namespace linkrake
