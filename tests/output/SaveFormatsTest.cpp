// The bytes each save writes, for each list, name and filter, read back from real files.
#include <gtest/gtest.h>

#include <filesystem>

#include "OutputTestSupport.h"
#include "output/SaveFilters.h"
#include "output/SaveResults.h"

namespace linkrake {
namespace {

using test::TinyList;

#define HTML_HEAD(base)                                                                       \
  "<html> \r\n<head> \r\n<title>Morvane Linkrake results of " base "</title> \r\n"            \
  "<meta name=\"GENERATOR\" content=\"Morvane\"> \r\n</head> \r\n<body bgcolor=\"#C0C0C0\"> " \
  "</body>\r\n"

const TinyList kEmpty{};
const TinyList kTwo{{"ftp://f.example/a%20b.zip", "http://x.example/"}};
const TinyList kMarkup{{"http://x/<script>alert(1)</script>", "http://y/?a=1&b=\"2\">"}};

constexpr char kTwoPlain[] = "ftp://f.example/a%20b.zip\r\nhttp://x.example/\r\n";
constexpr char kTwoAnchors[] =
    "<a href=\"ftp://f.example/a%20b.zip\">ftp://f.example/a%20b.zip</a><br>\r\n"
    "<a href=\"http://x.example/\">http://x.example/</a><br>\r\n";
constexpr char kBase[] = "http://base.example/";

struct SaveCase {
  const char* label;
  const TinyList* list;
  const char* name;  // as typed in the save dialog, below the test's folder
  int filter;
  const char* base;
  const char* written;  // the file that must appear
  std::string bytes;
};

void PrintTo(const SaveCase& c, std::ostream* os) { *os << c.label; }

class SaveFormats : public testing::TestWithParam<SaveCase> {};

TEST_P(SaveFormats, WritesExactBytesToChosenFile) {
  const SaveCase& c = GetParam();
  test::TempFolder folder;
  const std::string chosen = folder / c.name;
  std::filesystem::create_directories(std::filesystem::path(chosen).parent_path());

  const SaveOutcome outcome = SaveLinks(*c.list, chosen, ExtensionOf(chosen), c.filter, c.base);

  ASSERT_TRUE(outcome.Saved()) << outcome.error.message();
  EXPECT_EQ(outcome.message, "");
  EXPECT_EQ(outcome.target.path, folder / c.written);
  EXPECT_EQ(test::ReadBytes(folder / c.written), c.bytes);
  // Nothing but the written file is left beside it.
  const std::filesystem::path written(folder / c.written);
  EXPECT_EQ(test::EntriesOf(written.parent_path().string()),
            std::set<std::string>{written.filename().string()});
}

INSTANTIATE_TEST_SUITE_P(
    OutputNames, SaveFormats,
    testing::Values(
        SaveCase{"BareNameTextFilter", &kTwo, "links", 1, kBase, "links.txt", kTwoPlain},
        SaveCase{"BareNameAllFilter", &kTwo, "links", 4, kBase, "links.txt", kTwoPlain},
        SaveCase{"BareNameHtmlFilter", &kTwo, "links", 2, kBase, "links.html",
                 HTML_HEAD("http://base.example/") + std::string(kTwoAnchors)},
        SaveCase{"BareNameDownloadFilter", &kTwo, "links", 3, kBase, "links.txt",
                 "URL: ftp://f.example/a%20b.zip\r\nURL: http://x.example/\r\n"},
        SaveCase{"TxtNameDownloadFilterIsPlain", &kTwo, "links.txt", 3, kBase, "links.txt",
                 kTwoPlain},
        SaveCase{"TxtNameHtmlFilterIsHtml", &kTwo, "page.txt", 2, kBase, "page.txt",
                 HTML_HEAD("http://base.example/") + std::string(kTwoAnchors)},
        SaveCase{"HtmlNameTextFilterIsPlain", &kTwo, "page.html", 1, kBase, "page.html", kTwoPlain},
        SaveCase{"HtmlNameDownloadFilterIsPlain", &kTwo, "page.html", 3, kBase, "page.html",
                 kTwoPlain},
        SaveCase{"DotInFolderIsNoExtension", &kTwo, "a.b/links", 2, kBase, "a.b/links.html",
                 HTML_HEAD("http://base.example/") + std::string(kTwoAnchors)},
        SaveCase{"UnknownFilterZeroIsPlain", &kTwo, "links", 0, kBase, "links.txt", kTwoPlain},
        SaveCase{"UnknownFilterFiveIsPlain", &kTwo, "links", 5, kBase, "links.txt", kTwoPlain}),
    [](const auto& info) { return std::string(info.param.label); });

INSTANTIATE_TEST_SUITE_P(
    OutputEmptyList, SaveFormats,
    testing::Values(SaveCase{"Text", &kEmpty, "links", 1, kBase, "links.txt", ""},
                    SaveCase{"Html", &kEmpty, "links", 2, kBase, "links.html",
                             HTML_HEAD("http://base.example/")},
                    SaveCase{"DownloadList", &kEmpty, "links", 3, kBase, "links.txt", ""},
                    SaveCase{"AllFiles", &kEmpty, "links", 4, kBase, "links.txt", ""}),
    [](const auto& info) { return std::string(info.param.label); });

INSTANTIATE_TEST_SUITE_P(
    OutputHtmlTitle, SaveFormats,
    testing::Values(
        SaveCase{"EmptyBase", &kEmpty, "t", 2, "", "t.html", HTML_HEAD("")},
        SaveCase{"StartTextBase", &kEmpty, "t", 2, "-", "t.html", HTML_HEAD("-")},
        SaveCase{"BaseWithPercent", &kEmpty, "t", 2, "http://b/%41", "t.html",
                 HTML_HEAD("http://b/%41")},
        SaveCase{"MarkupInBaseIsEscaped", &kEmpty, "t", 2, "a<b>&\"c\"'", "t.html",
                 HTML_HEAD("a&lt;b&gt;&amp;&quot;c&quot;'")}),
    [](const auto& info) { return std::string(info.param.label); });

INSTANTIATE_TEST_SUITE_P(
    OutputMarkup, SaveFormats,
    testing::Values(
        SaveCase{"PlainUnchanged", &kMarkup, "m", 1, kBase, "m.txt",
                 "http://x/<script>alert(1)</script>\r\nhttp://y/?a=1&b=\"2\">\r\n"},
        SaveCase{"DownloadListUnchanged", &kMarkup, "m", 3, kBase, "m.txt",
                 "URL: http://x/<script>alert(1)</script>\r\nURL: http://y/?a=1&b=\"2\">\r\n"},
        SaveCase{"HtmlEscapedInAddressAndText", &kMarkup, "m", 2, "<i>", "m.html",
                 HTML_HEAD("&lt;i&gt;")
                 "<a href=\"http://x/&lt;script&gt;alert(1)&lt;/script&gt;\">"
                 "http://x/&lt;script&gt;alert(1)&lt;/script&gt;</a><br>\r\n"
                 "<a href=\"http://y/?a=1&amp;b=&quot;2&quot;&gt;\">"
                 "http://y/?a=1&amp;b=&quot;2&quot;&gt;</a><br>\r\n"}),
    [](const auto& info) { return std::string(info.param.label); });

std::string WithoutCarriageReturns(std::string text) {
  for (std::size_t pos = text.find("\r\n"); pos != std::string::npos; pos = text.find("\r\n", pos)) {
    text.erase(pos, 1);
  }
  return text;
}

TEST(OutputContent, LineFeedEndsDifferOnlyInTheLineEnds) {
  for (const TinyList* list : {&kEmpty, &kTwo, &kMarkup}) {
    for (SaveFormat format : {SaveFormat::PlainText, SaveFormat::Html, SaveFormat::DownloadList}) {
      const std::string crlf = BuildSaveContent(*list, format, "<b>", LineEnd::CrLf);
      const std::string lf = BuildSaveContent(*list, format, "<b>", LineEnd::Lf);
      EXPECT_EQ(lf, WithoutCarriageReturns(crlf)) << static_cast<int>(format);
      EXPECT_EQ(lf.find('\r'), std::string::npos);
    }
  }
}

TEST(OutputContent, OnlyLineFeedsInTextsBecomeLineEnds) {
  const TinyList list{{"a\nb", "c\rd"}};
  EXPECT_EQ(BuildSaveContent(list, SaveFormat::PlainText, ""), "a\r\nb\r\nc\rd\r\n");
  EXPECT_EQ(BuildSaveContent(list, SaveFormat::DownloadList, "", LineEnd::Lf), "URL: a\nb\nURL: c\rd\n");
}

TEST(OutputExtensionOf, TakesTextAfterLastDotOfTheName) {
  const std::pair<const char*, const char*> cases[] = {
      {"/d/links", ""},          {"/d/links.txt", "txt"},    {"/d/a.tar.gz", "gz"},
      {"/d.x/links", ""},        {"links.html", "html"},     {"/d/links.", ""},
      {"", ""},
  };
  for (const auto& [path, extension] : cases) {
    EXPECT_EQ(ExtensionOf(path), extension) << path;
  }
}

TEST(OutputFilters, OfferFourFiltersInDialogOrder) {
  const std::pair<const char*, const char*> expected[] = {
      {"Text files (*.txt)", "*.txt"},
      {"HTML files (*.html)", "*.html"},
      {"GetRight download list (*.txt)", "*.txt"},
      {"All files(*.*)", "*.*"},
  };
  ASSERT_EQ(kSaveFilters.size(), std::size(expected));
  for (std::size_t i = 0; i < kSaveFilters.size(); ++i) {
    EXPECT_EQ(kSaveFilters[i].description, expected[i].first);
    EXPECT_EQ(kSaveFilters[i].pattern, expected[i].second);
  }
}

}  // namespace
}  // namespace linkrake
