#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CliRun.h"
#include "support/LocalServer.h"
#include "support/TempDir.h"

namespace linkrake {
namespace {

using testing::LinesOf;
using testing::RunCliWith;
using Strings = std::vector<std::string>;

// A page with CR LF lines, a relative and a rooted anchor, and an absolute link.
constexpr char kPage[] =
    "<html>\r\n<a href=\"next.html\">next</a>\r\n<a href=\"/top.html\">top</a>\r\n"
    "see http://other.example/ too\r\n";

class CliUrl : public ::testing::Test {
 protected:
  void SetUp() override {
    test::clearProxyEnvironment();
    server_.routes().Get("/dir/page.html", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(kPage, "text/html");
    });
    server_.routes().Get("/big", [](const httplib::Request&, httplib::Response& res) {
      std::string body;
      while (body.size() < 200000) body += "filler without links, line after line\n";
      body += "<a href=\"http://last.example/\">last</a>";
      res.set_content(body, "text/html");
    });
    server_.routes().Get("/empty", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("", "text/html");
    });
    // Half the announced body, then the connection closes.
    server_.routes().Get("/dropped", [](const httplib::Request&, httplib::Response& res) {
      res.set_content_provider(1000, "text/html",
                               [](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                 if (offset != 0) return false;
                                 sink.write("http://half/ ", 13);
                                 return true;
                               });
    });
    server_.routes().Get("/gone", [](const httplib::Request&, httplib::Response& res) {
      res.status = 404;
      res.set_content("not here; try http://elsewhere.example/\n", "text/plain");
    });
    server_.start();
  }

  std::string Address(const std::string& path) const {
    return "127.0.0.1:" + std::to_string(server_.port()) + path;
  }

  test::LocalServer server_;
};

TEST_F(CliUrl, SearchesThePageWithTheCompletedAddressAsBase) {
  const std::string page = "http://" + Address("/dir/page.html");
  const struct {
    Strings args;
    Strings links;
  } cases[] = {
      {{"--url", page}, {page + "/next.html", page + "/top.html", "http://other.example/"}},
      // A bare address gets "http://" by the base rule, and is the base as completed.
      {{"--url", Address("/dir/page.html")},
       {page + "/next.html", page + "/top.html", "http://other.example/"}},
      {{"--url", page, "--base", "site"},
       {"http://other.example/", "http://site/next.html", "http://site/top.html"}},
      {{"--url", page, "--kind", "http"}, {"http://other.example/"}},
      // The rest of a page beyond the first 65,535 bytes is searched too.
      {{"--url", "http://" + Address("/big"), "--keep-duplicates"},
       {"http://last.example/", "http://last.example/"}},
      {{"--url", "http://" + Address("/big"), "--kind", "ahref"}, {"http://last.example/"}},
      // A page that says it is missing is still a page.
      {{"--url", "http://" + Address("/gone")}, {"http://elsewhere.example/"}},
      {{"--url", "http://" + Address("/empty")}, {}},
  };
  for (const auto& c : cases) {
    const auto result = RunCliWith(c.args);
    EXPECT_EQ(result.status, 0) << c.args[1];
    EXPECT_EQ(result.err, "") << c.args[1];
    EXPECT_EQ(LinesOf(result.out), c.links) << c.args[1];
  }
}

TEST_F(CliUrl, TheSavedPageIsTitledWithTheCompletedAddress) {
  testing::TempDir dir;
  const std::string target = dir.File("links.html");
  const auto result =
      RunCliWith({"--url", Address("/dir/page.html"), "--kind", "http", "--format", "html", "-o", target});
  ASSERT_EQ(result.status, 0) << result.err;
  const std::string page = "http://" + Address("/dir/page.html");
  EXPECT_EQ(testing::ReadFileBytes(target),
            "<html> \r\n<head> \r\n<title>Morvane Linkrake results of " + page +
                "</title> \r\n<meta name=\"GENERATOR\" content=\"Morvane\"> \r\n</head> \r\n"
                "<body bgcolor=\"#C0C0C0\"> </body>\r\n"
                "<a href=\"http://other.example/\">http://other.example/</a><br>\r\n");
}

TEST_F(CliUrl, AFailedDownloadIsReportedWithItsReason) {
  const std::string closed = "http://127.0.0.1:" + std::to_string(test::closedPort()) + "/";
  const struct {
    std::string address;
    std::string failure;
  } cases[] = {
      {closed, "linkrake-cli: Unable to open URL ("},
      {"http://" + Address("/dropped"), "linkrake-cli: Unable to read data ("},
  };
  for (const auto& c : cases) {
    testing::TempDir dir;
    const std::string target = dir.File("links.txt");
    const auto result = RunCliWith({"--url", c.address, "-o", target});
    EXPECT_EQ(result.status, 3) << c.address;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.substr(0, c.failure.size()), c.failure) << result.err;
    ASSERT_GE(result.err.size(), 3u);
    EXPECT_EQ(result.err.substr(result.err.size() - 2), ")\n");
    EXPECT_EQ(LinesOf(result.err).size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(target));
  }
}

}  // namespace
}  // namespace linkrake
