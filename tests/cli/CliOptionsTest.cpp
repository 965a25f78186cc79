#include <gtest/gtest.h>

#include <istream>
#include <random>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "CliRun.h"
#include "extract/RecordingHost.h"
#include "support/TempDir.h"

namespace linkrake {
namespace {

using testing::LinesOf;
using testing::RunCliWith;
using Strings = std::vector<std::string>;

constexpr char kPage[] =
    "<a href=\"index.html\">Home</a> <a href=\"/docs/b.html\">Docs</a>\r\n"
    "see http://a.example/x and http://a.example/x and http://ads.example/1\r\n"
    "<a href=\"http://a.example/x\">x</a>\r\n"
    "get ftp://f.example/pub/a.zip now\r\n";

TEST(CliOptions, ChooseWhatTheSearchLists) {
  const struct {
    Strings args;
    Strings links;
  } cases[] = {
      {{},
       {"ftp://f.example/pub/a.zip", "http://a.example/x", "http://ads.example/1",
        "http://www.morvane.example/docs/b.html", "http://www.morvane.example/index.html"}},
      {{"--keep-duplicates"},
       {"ftp://f.example/pub/a.zip", "http://a.example/x", "http://a.example/x",
        "http://a.example/x", "http://a.example/x", "http://ads.example/1",
        "http://www.morvane.example/docs/b.html", "http://www.morvane.example/index.html"}},
      {{"--kind", "ahref"},
       {"http://a.example/x", "http://www.morvane.example/docs/b.html",
        "http://www.morvane.example/index.html"}},
      {{"--kind=http", "--keep-duplicates"},
       {"http://a.example/x", "http://a.example/x", "http://a.example/x", "http://ads.example/1"}},
      {{"--kind", "ftp"}, {"ftp://f.example/pub/a.zip"}},
      {{"--kind", "all"},
       {"ftp://f.example/pub/a.zip", "http://a.example/x", "http://ads.example/1",
        "http://www.morvane.example/docs/b.html", "http://www.morvane.example/index.html"}},
      {{"--exclude", "ads"},
       {"ftp://f.example/pub/a.zip", "http://a.example/x", "http://www.morvane.example/docs/b.html",
        "http://www.morvane.example/index.html"}},
      {{"--exclude", "*.zip", "--kind", "ftp"}, {}},
      // An empty exclusion text runs no filter, as with the window's edit left empty.
      {{"--exclude", "", "--kind", "http"}, {"http://a.example/x", "http://ads.example/1"}},
      {{"--base", "site/dir", "--kind", "ahref"},
       {"http://a.example/x", "http://site/dir/docs/b.html", "http://site/dir/index.html"}},
      {{"--base=ftp://mirror", "--kind", "ahref"},
       {"ftp://mirror/docs/b.html", "ftp://mirror/index.html", "http://a.example/x"}},
  };
  testing::TempDir dir;
  const std::string input = dir.Write("page.html", kPage);
  for (const auto& c : cases) {
    Strings args = c.args;
    args.push_back(input);
    const auto result = RunCliWith(args);
    std::string label;
    for (const auto& arg : c.args) label += arg + " ";
    EXPECT_EQ(result.status, 0) << label;
    EXPECT_EQ(LinesOf(result.out), c.links) << label;
    EXPECT_EQ(result.err, "") << label;
  }
}

TEST(CliOptions, StandardInputIsReadLikeAFile) {
  testing::TempDir dir;
  const auto fromFile = RunCliWith({dir.Write("page.html", kPage)});
  const auto fromStdin = RunCliWith({"-"}, kPage);
  EXPECT_EQ(fromStdin.status, 0);
  EXPECT_EQ(fromStdin.out, fromFile.out);
  EXPECT_EQ(LinesOf(fromStdin.out).size(), 5u);
  // "--" ends the options, so a file may be called like one.
  const std::string odd = dir.Write("--kind", "http://odd/\n");
  EXPECT_EQ(RunCliWith({"--", odd}).out, "http://odd/\n");
}

TEST(CliExitStatus, TellsDoneFailedAndBadUsageApart) {
  testing::TempDir dir;
  const std::string page = dir.Write("page.html", kPage);
  const std::string empty = dir.Write("empty.txt", "");
  const std::string usage = "usage: linkrake-cli ";
  const struct {
    Strings args;
    int status;
    std::string errStart;  // what standard error begins with
    bool usageShown;
  } cases[] = {
      {{empty}, 0, "", false},
      {{dir.File("missing.html")}, 1, "linkrake-cli: Unable to open selected file.\n", false},
      {{dir.Path().string()}, 1, "linkrake-cli: Unable to open selected file.\n", false},
      {{}, 2, "linkrake-cli: no FILE given\n", true},
      {{page, empty}, 2, "linkrake-cli: only one FILE can be searched\n", true},
      {{"--kind", "links", page}, 2, "linkrake-cli: --kind takes all, ahref, http or ftp\n", true},
      {{"--format", "pdf", page}, 2, "linkrake-cli: --format takes text, html or getright\n", true},
      {{"--shout", page}, 2, "linkrake-cli: unknown option --shout\n", true},
      {{"--keep-duplicates=yes", page}, 2, "linkrake-cli: --keep-duplicates takes no value\n", true},
      {{page, "--base"}, 2, "linkrake-cli: --base needs a TEXT\n", true},
      {{page, "-o"}, 2, "linkrake-cli: -o needs a FILE\n", true},
      {{"--url", "http://127.0.0.1:1/", page}, 2,
       "linkrake-cli: give either FILE or --url ADDRESS, not both\n", true},
  };
  for (const auto& c : cases) {
    const auto result = RunCliWith(c.args);
    std::string label;
    for (const auto& arg : c.args) label += arg + " ";
    EXPECT_EQ(result.status, c.status) << label;
    EXPECT_EQ(result.err.substr(0, c.errStart.size()), c.errStart) << label;
    EXPECT_EQ(result.err.find(usage) != std::string::npos, c.usageShown) << label;
    if (c.status != 0) {
      EXPECT_EQ(result.out, "") << label;
    }
  }
}

// Standard input that gives some lines and then fails, as a broken device would.
class FailingInput : public std::streambuf {
 public:
  explicit FailingInput(std::string bytes) : bytes_(std::move(bytes)) {}

 protected:
  int_type underflow() override {
    if (given_) throw std::ios_base::failure("the device went away");
    given_ = true;
    setg(bytes_.data(), bytes_.data(), bytes_.data() + bytes_.size());
    return traits_type::to_int_type(bytes_[0]);
  }

 private:
  std::string bytes_;
  bool given_ = false;
};

TEST(CliExitStatus, AReadErrorOnStandardInputTakesTheFailureEnd) {
  FailingInput failing("http://a/\nhttp://b/\n");
  std::istream in(&failing);
  std::ostringstream out;
  std::ostringstream err;
  std::string name = "linkrake-cli";
  std::string dash = "-";
  char* argv[] = {name.data(), dash.data(), nullptr};
  EXPECT_EQ(RunCli(2, argv, in, out, err), 1);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(err.str(), "linkrake-cli: Unable to open selected file.\n");
}

TEST(CliExitStatus, HelpAndVersion) {
  const auto help = RunCliWith({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("usage: linkrake-cli ", 0), 0u);
  for (const char* option : {"--kind", "--keep-duplicates", "--exclude", "--base", "--url",
                             "--format", "-o", "--progress", "--version"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
  EXPECT_EQ(help.err, "");
  const auto version = RunCliWith({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "linkrake-cli " LINKRAKE_VERSION "\n");
}

TEST(CliOutput, TheNoLinksItemIsNotPrinted) {
  const struct {
    const char* page;
    std::string out;
  } cases[] = {
      {"", ""},
      {"no links here\n", ""},
      // The empty link sorts first, so the window shows its item too; printed is only the
      // empty link, as an empty line.
      {"<a href=\"\">e</a> http://g/\n", "\nhttp://g/\n"},
      // A link that reads like the item is a link (and the http pass takes its "http://").
      {"<a href=\"No http:// addresses found.\">x</a>\n", "No http:// addresses found.\nhttp://\n"},
  };
  for (const auto& c : cases) {
    const auto result = RunCliWith({"-"}, c.page);
    EXPECT_EQ(result.status, 0) << c.page;
    EXPECT_EQ(result.out, c.out) << c.page;
  }
}

TEST(CliMessages, TheCapMessageIsOneLineEachTimeItComes) {
  std::string line;
  for (int i = 0; i < 1001; ++i) line += "ftp://x" + std::to_string(i % 10) + " ";
  const std::string capLine =
      "linkrake-cli: The maximum number of addresses in 1 line has been reached. "
      "The program will stop searching this line.\n";
  const struct {
    int capLines;
    std::string err;
  } cases[] = {{0, ""}, {1, capLine}, {2, capLine + capLine}};
  for (const auto& c : cases) {
    std::string page = "ftp://first/\n";
    for (int i = 0; i < c.capLines; ++i) page += line + "\n";
    const auto result = RunCliWith({"-"}, page);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, c.err) << c.capLines;
    EXPECT_EQ(LinesOf(result.out).size(), c.capLines ? 11u : 1u);
  }
}

TEST(CliMessages, ProgressIsDrawnOnStandardErrorOnly) {
  testing::TempDir dir;
  std::string bytes;
  for (int i = 0; i < 3000; ++i) bytes += "line " + std::to_string(i) + " http://p/" + std::to_string(i % 7) + "\n";
  const std::string input = dir.Write("p.txt", bytes);
  const auto plain = RunCliWith({input});
  const auto drawn = RunCliWith({"--progress", input});
  EXPECT_EQ(drawn.status, 0);
  EXPECT_EQ(drawn.out, plain.out);
  EXPECT_EQ(plain.err, "");
  EXPECT_EQ(drawn.err.rfind("\r[", 0), 0u);
  EXPECT_NE(drawn.err.find("] 100%\n"), std::string::npos);
  EXPECT_EQ(drawn.err.back(), '\n');
}

// A page of random fragments: the tool lists exactly what the engine leaves in the window's
// list, less the item that says nothing was found.
TEST(CliOutput, ListsWhatTheEngineFinds) {
  const char* fragments[] = {"<a href=\"", "http://", "ftp://", "\"", " ", "'", "/", "a", "b.html",
                             "\r\n", "\n", "ads", "<A HREF=\"", "x"};
  std::mt19937 random(1211);
  std::string page;
  while (page.size() < 200000) page += fragments[random() % std::size(fragments)];
  testing::TempDir dir;
  const std::string input = dir.Write("random.html", page);
  const struct {
    Strings args;
    PassChoice choice;
    bool dups;
    const char* exclude;
  } cases[] = {
      {{}, PassChoice::All, true, nullptr},
      {{"--keep-duplicates", "--kind", "ahref"}, PassChoice::Ahref, false, nullptr},
      {{"--kind", "http", "--exclude", "a*ds"}, PassChoice::Http, true, "a*ds"},
      {{"--kind", "ftp", "--keep-duplicates", "--exclude", "b.h*tml"}, PassChoice::Ftp, false,
       "b.h*tml"},
  };
  for (const auto& c : cases) {
    Strings args = c.args;
    args.insert(args.end(), {"--base", "site", input});
    const auto result = RunCliWith(args);

    testing::RecordingHost host;
    host.baseEdit = "site";
    host.choice = c.choice;
    host.removeDups = c.dups;
    host.removeLines = c.exclude != nullptr;
    host.excludeEdit = c.exclude ? c.exclude : "";
    CSearchRun run(host, input, {});
    ASSERT_EQ(run.Run(), CSearchRun::Outcome::Done);
    Strings expected = host.Items();
    if (run.AddedNoLinksItem()) {
      expected.erase(std::find(expected.begin(), expected.end(), "No http:// addresses found."));
    }
    std::string text;
    for (const auto& link : expected) text += link + "\n";
    EXPECT_EQ(result.out, text) << args[0];
    EXPECT_GT(expected.size(), 10u);
  }
}

}  // namespace
}  // namespace linkrake
