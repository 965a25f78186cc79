// HTML > Open URL... through the real main window offscreen: the Open URL dialog answered like a
// user would, pages from a real HTTP server on 127.0.0.1, the temporary file in a temporary
// folder of its own, the recent addresses in a settings store of their own.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QComboBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
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
#include "support/TempDir.h"

namespace linkrake {
namespace {

namespace fs = std::filesystem;
using testing::ModalTestKit;
using testing::ReadFileBytes;
using testing::RecordingMessageBox;
using testing::TempDir;
using Texts = std::vector<std::string>;

// A small HTTP server on 127.0.0.1: each connection gets the raw reply of its path (a 404 page
// for an unknown one) and is closed. Raw replies let a test send a body cut short; an empty
// reply is a server gone silent, which holds the connection for a few seconds.
class PageServer {
 public:
  PageServer() {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 8) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
      throw std::runtime_error("the test server could not listen on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  ~PageServer() {
    stop_ = true;
    thread_.join();
    ::close(listener_);
  }
  PageServer(const PageServer&) = delete;
  PageServer& operator=(const PageServer&) = delete;

  void Route(const std::string& path, std::string reply) {
    std::lock_guard lock(mutex_);
    replies_[path] = std::move(reply);
  }
  // host:port/path, without a scheme.
  std::string Address(const std::string& path) const { return "127.0.0.1:" + std::to_string(port_) + path; }
  int Requests() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(requestLines_.size());
  }
  Texts RequestLines() const {
    std::lock_guard lock(mutex_);
    return requestLines_;
  }

 private:
  void Serve() {
    while (!stop_) {
      pollfd waiting{listener_, POLLIN, 0};
      if (::poll(&waiting, 1, 20) <= 0) continue;
      const int connection = ::accept(listener_, nullptr, nullptr);
      if (connection < 0) continue;
      Answer(connection);
      ::close(connection);
    }
  }

  void Answer(int connection) {
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
      pollfd readable{connection, POLLIN, 0};
      if (::poll(&readable, 1, 5000) <= 0) return;
      const ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
      if (got <= 0) return;
      request.append(buffer, static_cast<std::size_t>(got));
    }
    const std::string line = request.substr(0, request.find("\r\n"));
    const std::size_t pathStart = line.find(' ') + 1;
    const std::string path = line.substr(pathStart, line.find(' ', pathStart) - pathStart);
    std::string reply;
    {
      std::lock_guard lock(mutex_);
      requestLines_.push_back(line);
      const auto found = replies_.find(path);
      reply = found != replies_.end() ? found->second : Reply(404, "no such page");
    }
    if (reply.empty()) {
      for (int waited = 0; waited < 3000 && !stop_; waited += 20) std::this_thread::sleep_for(std::chrono::milliseconds(20));
      return;
    }
    for (std::size_t sent = 0; sent < reply.size();) {
      const ssize_t n = ::send(connection, reply.data() + sent, reply.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) return;
      sent += static_cast<std::size_t>(n);
    }
  }

 public:
  static std::string Reply(int status, const std::string& body) {
    return "HTTP/1.1 " + std::to_string(status) + (status == 200 ? " OK" : " Not Found") +
           "\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
  }

 private:
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
  mutable std::mutex mutex_;
  std::map<std::string, std::string> replies_;
  Texts requestLines_;
};

// A port on 127.0.0.1 that refuses connections.
int ClosedPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    throw std::runtime_error("no free port on 127.0.0.1");
  }
  ::close(fd);
  return ntohs(address.sin_port);
}

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
    for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "ftp_proxy", "FTP_PROXY",
                             "all_proxy", "ALL_PROXY", "no_proxy", "NO_PROXY"}) {
      ::unsetenv(name);
    }
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
  server_.Route("/page", PageServer::Reply(page.status, page.body));
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
    {"NothingListening", [](PageServer&) { return "127.0.0.1:" + std::to_string(ClosedPort()) + "/page"; },
     "Unable to open URL"},
    {"BodyCutShort",
     [](PageServer& server) {
       server.Route("/cut", "HTTP/1.1 200 OK\r\nContent-Length: 100000\r\nConnection: close\r\n\r\n"
                            "http://partial.example/\n");
       return server.Address("/cut");
     },
     "Unable to read data"},
    {"NoHost", [](PageServer&) { return std::string("http://"); }, "Unable to open URL"},
    {"ServerGoesSilent",
     [](PageServer& server) {
       server.Route("/silent", "");
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
  server_.Route("/page", PageServer::Reply(200, "http://a.example/\n"));
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
  server_.Route("/page", PageServer::Reply(200, "http://a.example/\n"));
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
  server_.Route("/one", PageServer::Reply(200, "http://one.example/\n"));
  server_.Route("/two", PageServer::Reply(200, "http://two.example/\n"));

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
