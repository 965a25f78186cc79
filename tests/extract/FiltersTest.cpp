#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingHost.h"
#include "extract/Filters.h"
#include "support/TempDir.h"

namespace linkrake {
namespace {

using Strings = std::vector<std::string>;

TEST(ExclusionPattern, DropsTheFirst255Stars) {
  EXPECT_EQ(MakeExclusionPattern("ads"), "ads");
  EXPECT_EQ(MakeExclusionPattern("*.gif"), ".gif");
  EXPECT_EQ(MakeExclusionPattern("ad*s"), "ads");
  EXPECT_EQ(MakeExclusionPattern("*"), "");
  const std::string stars300(300, '*');
  EXPECT_EQ(MakeExclusionPattern(stars300 + "ads" + stars300), std::string(45, '*') + "ads" + stars300);
}

TEST(ExclusionFilter, RemovesLinksThatContainThePattern) {
  const Strings links = {"http://ads/1", "http://ads/2", "http://x/", "http://x/banner.gif",
                         "http://y/ads banner"};
  const std::string stars300(300, '*');
  const struct {
    std::string exclusion;
    Strings kept;
  } cases[] = {
      {"ads", {"http://x/", "http://x/banner.gif"}},
      {"ADS", links},
      {"*.gif", {"http://ads/1", "http://ads/2", "http://x/", "http://y/ads banner"}},
      {"ad*s", {"http://x/", "http://x/banner.gif"}},
      {"ads banner", {"http://ads/1", "http://ads/2", "http://x/", "http://x/banner.gif"}},
      {"*", {"No http:// addresses found."}},
      {stars300 + "ads" + stars300, links},
  };
  // As anchor targets, since an http link ends at a blank and "http://y/ads banner" holds one.
  testing::TempDir dir;
  std::string bytes;
  for (const auto& link : links) bytes += "<a href=\"" + link + "\">\n";
  const std::string input = dir.Write("links.html", bytes);
  for (const auto& c : cases) {
    testing::RecordingHost host;
    host.choice = PassChoice::Ahref;
    host.removeLines = true;
    host.excludeEdit = c.exclusion;
    CSearchRun(host, input, {}).Run();
    EXPECT_EQ(host.Items(), c.kept) << c.exclusion.substr(0, 20);
  }
}

TEST(ExclusionFilter, AnEmptyEditRunsNoFilter) {
  testing::TempDir dir;
  testing::RecordingHost host;
  host.removeLines = true;
  host.excludeEdit = "";
  CSearchRun(host, dir.Write("l.txt", "http://a/\n"), {}).Run();
  EXPECT_EQ(host.Items(), Strings{"http://a/"});
}

TEST(DuplicateFilter, LeavesEveryTextOnceAndKeepsNearTwins) {
  LinkList list;
  for (const char* text : {"http://a/", "http://A/", "http://a", "http://a/", "http://b/", "http://a/"})
    list.InsertItem(text);
  testing::RecordingHost bar;
  ProgressTracker progress(bar);
  progress.Start(60000);  // scale 6
  RemoveDuplicateLinks(list, progress);
  Strings items;
  for (std::size_t i = 0; i < list.GetItemCount(); ++i) items.emplace_back(list.GetItemText(i));
  EXPECT_EQ(items, (Strings{"http://A/", "http://a", "http://a/", "http://b/"}));
  // Six steps of 10000 / 6 = 1666.
  EXPECT_EQ(bar.positions, (std::vector<int>{0, 1666, 3332, 4998, 6664, 8330, 9996}));
}

}  // namespace
}  // namespace linkrake
