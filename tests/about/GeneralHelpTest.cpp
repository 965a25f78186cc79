// The general help text, byte for byte, and the one box that shows it.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "about/GeneralHelp.h"
#include "extract/Product.h"
#include "framework/AppName.h"
#include "framework/MessageBox.h"
#include "framework/testing/RecordingMessageBox.h"

namespace linkrake {
namespace {

// The guide as the user must read it, written out here on its own.
std::string ExpectedGuide() {
  const std::string site = kMakerSite;
  return std::string("To extract links from a web page you have two options.\n--- Option 1 ---\nSave the page to a file.\nClick on File, Open... to open the saved file.\n") +
         "To make sure that even the relative URL's on the page\n appear in the list you may want to fill in the base address of the page.\n" +
         "--- Option 2 ---\nClick on HTML, Open URL... and type the address of the desired URL\n(i.e. " + site +
         ")\nor select a previous entered URL from the dropdown list.\n" +
         "\nLinks can be made in several ways. Choose the desired search option.\n<a href=\"...\"> searches for all links beginning with <a href=\"...\">\nhttp:// searches for all links beginning with http://\nftp:// searches for all links beginning with ftp://\nAll searches all kinds of links.\n" +
         "\nRemove duplicates removes all duplicate links in the list while searching.\nRemove lines that contain removes all links that contain specific words while searching.\n" +
         "\nClick on Linkrake to start the search.\nWhen done you can save the results to a text or HTML file.\nWith the Generate GetRight download list option you can generate \na download list that can be imported with GetRight (a download manager).";
}

TEST(GeneralHelpTest, TheTextIsTheGuideByteForByte) { EXPECT_EQ(GeneralHelpText(), ExpectedGuide()); }

struct Landmark {
  const char* name;
  const char* text;
};

void PrintTo(const Landmark& c, std::ostream* os) { *os << c.name; }

class GeneralHelpLandmarkTest : public ::testing::TestWithParam<Landmark> {};

// Where a hand-made copy of the guide goes wrong first: the blank lines and blanks that
// cannot be seen.
TEST_P(GeneralHelpLandmarkTest, TheTextHoldsIt) {
  EXPECT_NE(GeneralHelpText().find(GetParam().text), std::string::npos) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Landmarks, GeneralHelpLandmarkTest,
    ::testing::Values(Landmark{"BlankLineBeforeLinks", "list.\n\nLinks can be made"},
                      Landmark{"BlankLineBeforeRemoveDuplicates", "links.\n\nRemove duplicates removes"},
                      Landmark{"BlankLineBeforeTheSearch", "searching.\n\nClick on Linkrake"},
                      Landmark{"LeadingBlank", "page\n appear in the list"},
                      Landmark{"TrailingBlank", "you can generate \na download list"},
                      Landmark{"Option2RightAfterText2", "of the page.\n--- Option 2 ---\n"}),
    [](const ::testing::TestParamInfo<Landmark>& info) { return std::string(info.param.name); });

TEST(GeneralHelpTest, StartsAndEndsWithoutAFinalLineBreakAndNamesTheSiteOnce) {
  const std::string text = GeneralHelpText();
  EXPECT_EQ(text.rfind("To extract links from a web page you have two options.", 0), 0u);
  const std::string end = "(a download manager).";
  ASSERT_GE(text.size(), end.size());
  EXPECT_EQ(text.substr(text.size() - end.size()), end);
  const std::string example = std::string("(i.e. ") + kMakerSite + ")\n";
  const auto at = text.find(example);
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(text.find(kMakerSite, at + example.size()), std::string::npos);
}

TEST(GeneralHelpTest, ShowsOneInformationBoxCaptionedWithTheApplicationsName) {
  SetAppName("Linkrake");
  testing::RecordingMessageBox boxes;
  ShowGeneralHelp();
  ASSERT_EQ(boxes.requests.size(), 1u);
  EXPECT_EQ(boxes.requests[0].text, ExpectedGuide());
  EXPECT_EQ(boxes.requests[0].type, MB_OK | MB_ICONINFORMATION);
  EXPECT_EQ(boxes.requests[0].caption, "Linkrake");
}

}  // namespace
}  // namespace linkrake
