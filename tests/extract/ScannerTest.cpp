#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "extract/BaseRule.h"
#include "extract/LinkScanner.h"
#include "extract/Passes.h"

namespace linkrake {
namespace {

struct MessageLog : IMessageSink {
  void ShowMessage(std::string_view text, MessageIcon icon) override {
    messages.emplace_back(text);
    icons.push_back(icon);
  }
  std::vector<std::string> messages;
  std::vector<MessageIcon> icons;
};

std::vector<std::string> Items(const LinkList& list) {
  std::vector<std::string> items;
  for (std::size_t i = 0; i < list.GetItemCount(); ++i) items.emplace_back(list.GetItemText(i));
  return items;
}

std::vector<std::string> Scan(std::string_view line, PassChoice choice, std::string_view base,
                              MessageLog* log = nullptr) {
  LinkList list;
  MessageLog local;
  CLinkScanner scanner(list, log ? *log : local);
  const Passes passes = Passes::For(choice);
  scanner.ScanLine(line, passes.anchor, passes.http, passes.ftp, base);
  return Items(list);
}

std::vector<std::string> Sorted(std::vector<std::string> links) {
  std::sort(links.begin(), links.end());
  return links;
}

struct ScanCase {
  const char* line;
  PassChoice choice;
  const char* base;
  std::vector<std::string> links;
};

class ScanLineTest : public ::testing::TestWithParam<ScanCase> {};

// Test names from the line itself: its letters and digits, other runs of bytes as one "_".
std::string ScanCaseName(const ::testing::TestParamInfo<ScanCase>& info) {
  std::string name = std::to_string(info.index) + "_";
  for (const char* at = info.param.line; *at && name.size() < 48; ++at) {
    const unsigned char ch = static_cast<unsigned char>(*at);
    if (std::isalnum(ch)) {
      name += static_cast<char>(ch);
    } else if (name.back() != '_') {
      name += '_';
    }
  }
  const std::size_t prefix = std::to_string(info.index).size() + 1;
  if (name.size() == prefix) return name + (info.param.line[0] ? "marks" : "empty");
  if (name.back() == '_') name.pop_back();
  return name;
}

void PrintTo(const ScanCase& c, std::ostream* os) { *os << '"' << c.line << '"'; }

TEST_P(ScanLineTest, FindsTheLinksOfTheLine) {
  const ScanCase& c = GetParam();
  EXPECT_EQ(Scan(c.line, c.choice, c.base), Sorted(c.links)) << "line: " << c.line;
}

constexpr auto All = PassChoice::All;
constexpr auto Ahref = PassChoice::Ahref;
constexpr auto Http = PassChoice::Http;
constexpr auto Ftp = PassChoice::Ftp;

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, ScanLineTest,
    ::testing::Values(
        ScanCase{R"(<a href="index.html">Home</a> <a href="/docs/a.html">Docs</a>)", All,
                 "http://site", {"http://site/index.html", "http://site/docs/a.html"}},
        ScanCase{R"(<a href="http://a/x">x</a>)", All, "http://site", {"http://a/x", "http://a/x"}},
        ScanCase{"Visit http://a/p?u=http://b/q now", Http, "http://site",
                 {"http://a/p?u=http://b/q", "http://b/q"}},
        ScanCase{R"(<a href="page.html">p</a> mirror: http://m/)", All, "http://site",
                 {"page.html", "http://m/"}},
        // A target with a scheme of its own is taken without the base.
        ScanCase{R"(<a href="ftp://f/pub/">f</a>)", All, "http://site",
                 {"ftp://f/pub/", "ftp://f/pub/"}},
        ScanCase{R"(<a href="https://s/">s</a>)", All, "http://site", {"https://s/"}},
        ScanCase{"<a href='http://d/'>d</a>", All, "http://site", {"http://d/'>d</a>"}},
        ScanCase{"see 'http://e/' there", Http, "http://site", {"http://e/"}},
        ScanCase{R"(<a href="">empty</a> http://g/)", All, "http://site", {"", "http://g/"}},
        ScanCase{R"(<a href="#top">Top</a>)", Ahref, "http://site", {"http://site/#top"}},
        ScanCase{R"(get ftp://f/a.zip or ftp://f/b.zip")", Ftp, "http://site",
                 {"ftp://f/a.zip", "ftp://f/b.zip"}},
        ScanCase{R"(<A HREF="x.html">)", All, "http://site", {}},
        ScanCase{R"(<a href="x.html">)", All, "http://site/", {"http://site//x.html"}},
        ScanCase{R"(text <a href="../up.html)", All, "http://site/dir",
                 {"http://site/dir/../up.html"}}),
    ScanCaseName);

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, ScanLineTest,
    ::testing::Values(
        ScanCase{"", All, "http://site", {}},
        ScanCase{"plain words, no links", All, "http://site", {}},
        ScanCase{R"(<a  href="x"> <a href='y'> <a href=z)", All, "http://site", {}},
        ScanCase{"HTTP://a/ https://b/ FTP://c/", All, "http://site", {}},
        // The pattern as the line's last bytes: the base and "/" alone.
        ScanCase{R"(end <a href=")", Ahref, "http://site", {"http://site/"}},
        // "http://" before the anchor does not make it absolute; after it, anywhere, does.
        ScanCase{R"(http://q/ <a href="x.html">)", Ahref, "http://site", {"http://site/x.html"}},
        ScanCase{R"(<a href="x.html"> <b title="http://t/">)", Ahref, "http://site", {"x.html"}},
        ScanCase{R"(<a href="'''">x</a> http://z/)", Ahref, "http://site", {""}},
        ScanCase{R"(<a href="a.html'">)", Ahref, "http://site", {"http://site/a.html"}},
        ScanCase{"http://a/b c", Http, "http://site", {"http://a/b"}},
        ScanCase{"go to http://a/b", Http, "http://site", {"http://a/b"}},
        ScanCase{"http://a/'''", Http, "http://site", {"http://a/"}},
        // A pattern right at the target's start is skipped: the search goes on one byte on.
        ScanCase{R"(<a href="<a href="x">)", Ahref, "http://site", {"http://site/<a href="}},
        ScanCase{"ftp://x/ http://y/", Http, "http://site", {"http://y/"}}),
    ScanCaseName);

// The rules as plainly as they can be written: one search after another, no shortcuts.
std::vector<std::string> ReferenceScan(const std::string& line, const Passes& passes,
                                       const std::string& base) {
  std::vector<std::string> links;
  auto trim = [](std::string link) {
    while (!link.empty() && link.back() == '\'') link.pop_back();
    return link;
  };
  if (passes.anchor) {
    int count = 0;
    for (std::size_t match = line.find("<a href=\""); match != std::string::npos && count < 1000;
         match = line.find("<a href=\"", match + 10)) {
      const std::size_t p = match + 9;
      std::string link;
      const std::string target = line.substr(p, line.find('"', p) == std::string::npos
                                                    ? std::string::npos
                                                    : line.find('"', p) - p);
      const bool absolute = line.find("http://", p) != std::string::npos ||
                            target.starts_with("https://") || target.starts_with("ftp://");
      if (!absolute) link = base + (p < line.size() && line[p] == '/' ? "" : "/");
      links.push_back(trim(link + target));
      ++count;  // the next search starts at p + 1
    }
  }
  for (const std::string scheme : {"http://", "ftp://"}) {
    if (scheme == "http://" ? !passes.http : !passes.ftp) continue;
    int count = 0;
    for (std::size_t m = line.find(scheme); m != std::string::npos && count < 1000;
         m = line.find(scheme, m + 1)) {
      const std::size_t end = std::min({line.find(' ', m), line.find('"', m), line.size()});
      links.push_back(trim(line.substr(m, end - m)));
      ++count;
    }
  }
  return Sorted(links);
}

TEST(ScanLine, MatchesThePlainRulesOnRandomLines) {
  const char* fragments[] = {"<a href=\"", "http://", "ftp://", "https://", "\"", " ", "'", "/",
                             ":", "//", "http:/", "ftp:", "a", "x.html", "<a href=", "h", "f"};
  std::mt19937 random(2026);
  for (int round = 0; round < 3000; ++round) {
    std::string line;
    const int pieces = static_cast<int>(random() % 40);
    for (int i = 0; i < pieces; ++i) line += fragments[random() % std::size(fragments)];
    const PassChoice choice = static_cast<PassChoice>(random() % 4);
    ASSERT_EQ(Scan(line, choice, "http://site"),
              ReferenceScan(line, Passes::For(choice), "http://site"))
        << "line: " << line;
  }
}

TEST(ScanLineCap, TheThousandthLinkOfAPassEndsThatPassOnly) {
  std::string line;
  for (int i = 0; i < 1200; ++i) line += "http://a" + std::to_string(i) + " ";
  line += "ftp://f/";
  MessageLog log;
  const auto links = Scan(line, All, "http://site", &log);
  ASSERT_EQ(log.messages.size(), 1u);
  EXPECT_EQ(log.messages[0],
            "The maximum number of addresses in 1 line has been reached.\n"
            "The program will stop searching this line.");
  EXPECT_EQ(log.icons[0], MessageIcon::Error);
  ASSERT_EQ(links.size(), 1001u);  // the first 1000 http links, then the ftp pass
  EXPECT_EQ(std::count(links.begin(), links.end(), "http://a999"), 1);
  EXPECT_EQ(std::count(links.begin(), links.end(), "http://a1000"), 0);
  EXPECT_EQ(std::count(links.begin(), links.end(), "ftp://f/"), 1);
}

TEST(ScanLineCap, AnchorCapLetsTheHttpPassRun) {
  std::string line;
  for (int i = 0; i < 1001; ++i) line += "<a href=\"p" + std::to_string(i) + "\">";
  line += " and http://last/";
  MessageLog log;
  const auto links = Scan(line, All, "http://site", &log);
  EXPECT_EQ(log.messages.size(), 1u);
  // Every target is absolute here ("http://" follows on the line): 1000 of them, then the
  // http pass's own link.
  EXPECT_EQ(links.size(), 1001u);
  EXPECT_EQ(std::count(links.begin(), links.end(), "p1000"), 0);
  EXPECT_EQ(std::count(links.begin(), links.end(), "http://last/"), 1);
}

TEST(ScanLineCap, NineHundredNinetyNineLinksShowNoMessage) {
  std::string line;
  for (int i = 0; i < 999; ++i) line += "http://x ";
  MessageLog log;
  EXPECT_EQ(Scan(line, Http, "http://site", &log).size(), 999u);
  EXPECT_TRUE(log.messages.empty());
}

struct BaseCase {
  const char* before;
  const char* after;
};

TEST(BaseRule, PutsHttpInFrontUnlessASchemeIsNamed) {
  const BaseCase cases[] = {
      {"site/docs", "http://site/docs"},  {"ftp://site", "ftp://site"},
      {"see http://site", "see http://site"}, {"", "http://"},
      {"HTTP://site", "http://HTTP://site"}, {"https://s/", "https://s/"},
      {"www.example.org", "http://www.example.org"}, {"x ftp://y", "x ftp://y"},
  };
  for (const auto& c : cases) {
    std::string text = c.before;
    const bool changed = ApplyBaseRule(text);
    EXPECT_EQ(text, c.after) << c.before;
    EXPECT_EQ(changed, std::string(c.before) != c.after) << c.before;
  }
}

}  // namespace
}  // namespace linkrake
