#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "CliRun.h"
#include "support/TempDir.h"

namespace linkrake {
namespace {

using testing::ReadFileBytes;
using testing::RunCliWith;
using Strings = std::vector<std::string>;

// Two links, one with every byte the HTML format must escape, and a relative one that takes
// the base.
constexpr char kPage[] =
    "<a href=\"rel.html\">r</a>\n"
    "go http://x/?a=1&b=<script>alert(1)</script>'\n";

const std::string kHtmlHeader =
    "<html> \r\n<head> \r\n<title>Morvane Linkrake results of http://site&amp;co</title> \r\n"
    "<meta name=\"GENERATOR\" content=\"Morvane\"> \r\n</head> \r\n"
    "<body bgcolor=\"#C0C0C0\"> </body>\r\n";

std::string WithLf(std::string bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) out += bytes[i];
  }
  return out;
}

struct FormatCase {
  const char* format;
  std::string page;
  std::string file;    // the bytes -o writes
  std::string stdOut;  // what standard output gets without -o
};

TEST(CliSave, WritesTheBytesOfSaveAsAndPrintsThemWithLf) {
  const std::string escaped =
      "http://x/?a=1&amp;b=&lt;script&gt;alert(1)&lt;/script&gt;";
  const FormatCase cases[] = {
      {"text", kPage, "http://site&co/rel.html\r\nhttp://x/?a=1&b=<script>alert(1)</script>\r\n",
       {}},
      {"getright", kPage,
       "URL: http://site&co/rel.html\r\nURL: http://x/?a=1&b=<script>alert(1)</script>\r\n", {}},
      {"html", kPage,
       kHtmlHeader + "<a href=\"http://site&amp;co/rel.html\">http://site&amp;co/rel.html</a><br>\r\n" +
           "<a href=\"" + escaped + "\">" + escaped + "</a><br>\r\n",
       {}},
      // Nothing found: the window's list holds its one item, and Save as writes the list.
      {"text", "", "No http:// addresses found.\r\n", ""},
      {"getright", "", "URL: No http:// addresses found.\r\n", ""},
      {"html", "",
       kHtmlHeader + "<a href=\"No http:// addresses found.\">No http:// addresses found.</a><br>\r\n",
       WithLf(kHtmlHeader)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.format) + (c.page.empty() ? ", nothing found" : ""));
    testing::TempDir dir;
    const std::string input = dir.Write("page.html", c.page);
    // No extension is added, whatever the format.
    const std::string target = dir.File("results");
    const auto saved = RunCliWith({"--format", c.format, "--base", "site&co", "-o", target, input});
    EXPECT_EQ(saved.status, 0);
    EXPECT_EQ(saved.out, "");
    EXPECT_EQ(saved.err, "");
    EXPECT_EQ(ReadFileBytes(target), c.file);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              2);

    const auto printed = RunCliWith({"--format", c.format, "--base", "site&co", input});
    EXPECT_EQ(printed.status, 0);
    EXPECT_EQ(printed.out, c.page.empty() ? c.stdOut : WithLf(c.file));
  }
}

TEST(CliSave, ReplacesAnExistingFileWhole) {
  testing::TempDir dir;
  const std::string target = dir.Write("out.txt", std::string(5000, 'o'));
  const auto result = RunCliWith({"-o", target, "-"}, "http://new/\n");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(ReadFileBytes(target), "http://new/\r\n");
  // --output is the long name of -o.
  EXPECT_EQ(RunCliWith({"--output=" + target, "-"}, "http://newer/\n").status, 0);
  EXPECT_EQ(ReadFileBytes(target), "http://newer/\r\n");
}

TEST(CliSave, AFileThatCannotBeWrittenIsReportedAndNothingIsTouched) {
  testing::TempDir dir;
  std::filesystem::create_directory(dir.Path() / "folder");
  const std::string inside = dir.Write("folder/kept.txt", "kept");
  const std::string old = dir.Write("old.txt", "old content\r\n");
  const struct {
    const char* label;
    std::string target;
  } cases[] = {
      {"missing folder", dir.File("missing/links.txt")},
      {"a file where a folder should be", old + "/links.txt"},
      {"a folder at the name", dir.File("folder")},
      {"a full disk", "/dev/full"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const auto result = RunCliWith({"--format", "html", "-o", c.target, "-"}, "http://a/\n");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "linkrake-cli: Unable to save contents to selected output file. (" + c.target + ")\n");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"folder", "old.txt"}));
    EXPECT_EQ(ReadFileBytes(old), "old content\r\n");
    EXPECT_EQ(ReadFileBytes(inside), "kept");
  }
}

TEST(CliSave, AnInputThatCannotBeOpenedWritesNoFile) {
  testing::TempDir dir;
  const std::string old = dir.Write("old.txt", "old content\r\n");
  const auto result = RunCliWith({"-o", old, dir.File("missing.html")});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "linkrake-cli: Unable to open selected file.\n");
  EXPECT_EQ(ReadFileBytes(old), "old content\r\n");
}

}  // namespace
}  // namespace linkrake
