#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "RecordingHost.h"
#include "support/TempDir.h"

namespace linkrake {
namespace {

using testing::RecordingHost;
using testing::TempDir;
using Strings = std::vector<std::string>;

CSearchRun::Outcome RunOn(RecordingHost& host, const std::string& input,
                          const std::string& temp = {}) {
  return CSearchRun(host, input, temp).Run();
}

TEST(SearchRun, ListsFiltersCountsAndSaysItIsDone) {
  TempDir dir;
  const std::string input = dir.Write(
      "page.html",
      "<a href=\"http://a/x\">x</a>\r\n"       // found by two passes, kept once
      "<a href=\"rel.html\">r</a>\r\n"
      "see http://b/ and ftp://c/f.zip\r\n");
  RecordingHost host;
  ASSERT_EQ(RunOn(host, input), CSearchRun::Outcome::Done);
  EXPECT_EQ(host.Items(), (Strings{"ftp://c/f.zip", "http://a/x", "http://b/", "http://site/rel.html"}));
  EXPECT_EQ(host.countText, "4");
  EXPECT_EQ(host.messages, Strings{"Done searching the file."});
  EXPECT_EQ(host.icons[0], MessageIcon::Default);
  EXPECT_TRUE(host.hasColumn);
  EXPECT_EQ(host.log, (Strings{"DeleteColumn", "UpdateData(TRUE)", "InsertColumn", "Range 0 30000",
                               "Count 4", "Message Done searching the file."}));
  EXPECT_EQ(host.positions, (std::vector<int>{0, 30000}));  // a small file: scale 0
  EXPECT_TRUE(std::filesystem::exists(input));              // an opened file is never removed
}

TEST(SearchRun, EmptyFileShowsTheNoLinksItemButCountsNothing) {
  TempDir dir;
  RecordingHost host;
  host.list.InsertItem("left from the last run");
  RunOn(host, dir.Write("empty.txt", ""));
  EXPECT_EQ(host.countText, "0");
  EXPECT_EQ(host.Items(), Strings{"No http:// addresses found."});
  EXPECT_EQ(host.positions, (std::vector<int>{0, 30000}));
}

TEST(SearchRun, AnEmptyFirstLinkAlsoBringsTheNoLinksItem) {
  TempDir dir;
  RecordingHost host;
  RunOn(host, dir.Write("p.html", "<a href=\"\">e</a> http://g/\n"));
  EXPECT_EQ(host.countText, "2");
  EXPECT_EQ(host.Items(), (Strings{"", "No http:// addresses found.", "http://g/"}));
}

TEST(SearchRun, MissingFileTakesTheFailureEnd) {
  TempDir dir;
  const std::string temp = dir.Write("_tmp_morvane", "old page");
  RecordingHost host;
  host.list.InsertItem("http://old/");
  host.positions.clear();
  ASSERT_EQ(RunOn(host, dir.File("missing.html"), temp), CSearchRun::Outcome::InputFailed);
  EXPECT_EQ(host.messages, Strings{"Unable to open selected file."});
  EXPECT_EQ(host.icons[0], MessageIcon::Default);
  EXPECT_TRUE(host.Items().empty());
  EXPECT_FALSE(host.hasColumn);
  EXPECT_EQ(host.countText, "unchanged");
  EXPECT_TRUE(host.positions.empty());
  EXPECT_EQ(host.base, "");  // the edits were not read: the run ended before that
  EXPECT_FALSE(std::filesystem::exists(temp));
}

TEST(SearchRun, AFileThatCannotBeReadTakesTheFailureEnd) {
  TempDir dir;
  RecordingHost host;
  EXPECT_EQ(RunOn(host, dir.Path().string()), CSearchRun::Outcome::InputFailed);
  EXPECT_EQ(host.messages, Strings{"Unable to open selected file."});
  EXPECT_TRUE(host.Items().empty());
  EXPECT_FALSE(host.hasColumn);
}

TEST(SearchRun, ADownloadedPageCanBeSearchedOnce) {
  TempDir dir;
  const std::string temp = dir.Write("_tmp_morvane", "http://page/\n");
  RecordingHost host;
  EXPECT_EQ(RunOn(host, temp, temp), CSearchRun::Outcome::Done);
  EXPECT_EQ(host.Items(), Strings{"http://page/"});
  EXPECT_FALSE(std::filesystem::exists(temp));
  EXPECT_EQ(RunOn(host, temp, temp), CSearchRun::Outcome::InputFailed);
  EXPECT_TRUE(host.Items().empty());
  EXPECT_EQ(host.messages.back(), "Unable to open selected file.");
}

TEST(SearchRun, BaseRuleIsShownInTheEdit) {
  const struct {
    const char* edit;
    const char* base;
    bool shown;
  } cases[] = {{"site/docs", "http://site/docs", true},
               {"", "http://", true},
               {"ftp://site", "ftp://site", false},
               {"see http://site", "see http://site", false},
               {"-", "http://-", true}};
  TempDir dir;
  const std::string input = dir.Write("p.html", "<a href=\"a.html\">\n");
  for (const auto& c : cases) {
    RecordingHost host;
    host.baseEdit = c.edit;
    RunOn(host, input);
    EXPECT_EQ(host.base, c.base);
    EXPECT_EQ(host.baseEdit, c.base);
    const bool shown =
        std::find(host.log.begin(), host.log.end(), "UpdateData(FALSE)") != host.log.end();
    EXPECT_EQ(shown, c.shown) << c.edit;
    EXPECT_EQ(host.Items(), Strings{std::string(c.base) + "/a.html"});
  }
}

TEST(SearchRun, PassChoiceAndDuplicates) {
  TempDir dir;
  const std::string input =
      dir.Write("p.html", "<a href=\"http://a/\">a</a> ftp://f/ http://a/\nhttp://only/\n");
  const struct {
    PassChoice choice;
    bool dups;
    Strings items;
  } cases[] = {
      {PassChoice::All, true, {"ftp://f/", "http://a/", "http://only/"}},
      {PassChoice::All, false, {"ftp://f/", "http://a/", "http://a/", "http://a/", "http://only/"}},
      {PassChoice::Ahref, true, {"http://a/"}},
      {PassChoice::Http, false, {"http://a/", "http://a/", "http://only/"}},
      {PassChoice::Ftp, true, {"ftp://f/"}},
  };
  for (const auto& c : cases) {
    RecordingHost host;
    host.choice = c.choice;
    host.removeDups = c.dups;
    RunOn(host, input);
    EXPECT_EQ(host.Items(), c.items);
  }
  RecordingHost anchorsOnly;
  anchorsOnly.choice = PassChoice::Ahref;
  RunOn(anchorsOnly, dir.Write("h.txt", "http://x/ http://y/\n"));
  EXPECT_EQ(anchorsOnly.Items(), Strings{"No http:// addresses found."});
}

TEST(SearchRun, ReadingRulesReachTheList) {
  TempDir dir;
  RecordingHost host;
  RunOn(host, dir.Write("r.txt", std::string("http://a/\r\nhttp://b/\0http://c/\nhttp://d/\x1Ahttp://e/\n", 49)));
  EXPECT_EQ(host.Items(), (Strings{"http://a/", "http://b/", "http://d/"}));
}

TEST(SearchRun, CapMessageComesBeforeDone) {
  // "http://a " is 9 bytes: 1,100 of them fit in one line of 9,999 bytes; 1,200 make a longer
  // line whose last 801 bytes are read as a line of their own, with a cap count of its own.
  const struct {
    int links;
    const char* count;
  } cases[] = {{1100, "1000"}, {1200, "1089"}};
  for (const auto& c : cases) {
    TempDir dir;
    std::string line;
    for (int i = 0; i < c.links; ++i) line += "http://a ";
    RecordingHost host;
    host.removeDups = false;
    RunOn(host, dir.Write("cap.txt", line + "\n"));
    ASSERT_EQ(host.messages.size(), 2u) << c.links;
    EXPECT_EQ(host.messages[0], kCapMessage);
    EXPECT_EQ(host.icons[0], MessageIcon::Error);
    EXPECT_EQ(host.messages[1], "Done searching the file.");
    EXPECT_EQ(host.countText, c.count) << c.links;
  }
}

// Lines of 999 bytes and a line break: 25 of them are 25,000 bytes, scale 2, and each line
// moves the bar by 499.5.
TEST(SearchRunProgress, ReadingAdvancesByLineLengthOverScale) {
  TempDir dir;
  std::string bytes;
  for (int i = 0; i < 25; ++i) bytes += std::string(999, 'x') + "\n";
  RecordingHost host;
  RunOn(host, dir.Write("p.txt", bytes));
  std::vector<int> expected = {0};
  for (int i = 1; i <= 25; ++i) expected.push_back(static_cast<int>(499.5 * i));
  // The list is empty: the duplicate filter adds nothing, the exclusion filter is off.
  expected.push_back(12487 + 10000);
  expected.push_back(30000);
  EXPECT_EQ(host.positions, expected);
}

// A file of at least 10,000 bytes (scale 1) whose lines hold the given links.
std::string FileWithLinks(const TempDir& dir, const Strings& links) {
  std::string bytes(9999, ' ');
  bytes += '\n';
  for (const auto& link : links) bytes += link + "\n";
  return dir.Write("links.txt", bytes);
}

std::vector<int> Steps(const std::vector<int>& positions, std::size_t from, std::size_t count) {
  std::vector<int> steps;
  for (std::size_t i = from; i < from + count && i < positions.size(); ++i)
    steps.push_back(positions[i] - positions[i - 1]);
  return steps;
}

TEST(SearchRunProgress, DuplicateFilterStepsOncePerItem) {
  TempDir dir;
  RecordingHost host;
  RunOn(host, FileWithLinks(dir, {"http://a/", "http://a/", "http://a/", "http://b/"}));
  EXPECT_EQ(host.Items(), (Strings{"http://a/", "http://b/"}));
  // 0, 9999 after the first line; the link lines add 9 each; then four steps of 2500.
  const int read = 9999 + 4 * 9;
  ASSERT_GE(host.positions.size(), 11u);
  EXPECT_EQ(host.positions[5], read);
  EXPECT_EQ(Steps(host.positions, 6, 4), (std::vector<int>{2500, 2500, 2500, 2500}));
  EXPECT_EQ(host.positions[10], read + 10000 + 10000);  // exclusion off: one step of 10000
}

TEST(SearchRunProgress, FilterStepSizes) {
  const struct {
    int items;
    bool exclusionRuns;
    std::vector<int> steps;  // the moves of the bar during the two filters
  } cases[] = {
      {1, false, {10000, 10000}},
      {3, false, {3333, 3333, 3333, 10000}},
      {3, true, {3333, 3333, 3333, 3333, 3333, 3333}},
      {0, false, {10000}},      // the duplicate filter takes no step on an empty list
      {0, true, {}},            // nor does the exclusion filter
      {10001, false, {10000}},  // more than 10,000 items: steps of 0
  };
  for (const auto& c : cases) {
    TempDir dir;
    Strings links;
    for (int i = 0; i < c.items; ++i) links.push_back("http://l/" + std::to_string(i));
    RecordingHost host;
    host.removeLines = c.exclusionRuns;
    host.excludeEdit = "nothing-matches";
    RunOn(host, FileWithLinks(dir, links));
    const auto& pos = host.positions;
    // Where reading left the bar: each line moves it by its length over the scale.
    const double scale = static_cast<double>(std::filesystem::file_size(dir.File("links.txt")) / 10000);
    double read = 9999 / scale;
    for (const auto& link : links) read += static_cast<double>(link.size()) / scale;
    const auto readEnd = std::find(pos.begin(), pos.end(), static_cast<int>(read));
    ASSERT_NE(readEnd, pos.end()) << c.items;
    std::vector<int> filterSteps;
    for (auto at = readEnd + 1; at + 1 < pos.end(); ++at) filterSteps.push_back(*at - *(at - 1));
    EXPECT_EQ(filterSteps, c.steps) << c.items << " items, exclusion " << c.exclusionRuns;
    EXPECT_EQ(pos.back(), 30000);
  }
}

}  // namespace
}  // namespace linkrake
