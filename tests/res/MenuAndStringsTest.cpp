// The main menu, the string table and the icon, as the program shows them.
#include <gtest/gtest.h>

#include <QImage>
#include <set>
#include <string>
#include <vector>

#include "res/Icons.h"
#include "res/MenuTemplate.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

namespace linkrake {
namespace {

struct Item {
  std::string text;  // "" for a separator
  int id;
};

struct Popup {
  std::string text;
  std::vector<Item> items;
};

TEST(MainMenu, PopupsItemsAndCommandIdsAreAsDrawn) {
  const std::vector<Popup> expected{
      {"&File", {{"&Open...", 57601}, {"&Save as...", 32774}, {"", 0}, {"&Exit", 32777}}},
      {"H&TML", {{"&Open URL...", 32775}}},
      {"&Help", {{"&General help", 32772}, {"&About Linkrake", 32771}, {"&Uninstall", 32778}}},
  };
  const MenuTemplate* menu = FindMenuTemplate(IDR_MAIN_MENU);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->id, 131);
  ASSERT_EQ(menu->items.size(), expected.size());
  for (std::size_t p = 0; p < expected.size(); ++p) {
    const MenuItemTemplate& popup = menu->items[p];
    SCOPED_TRACE(expected[p].text);
    EXPECT_EQ(popup.kind, MenuItemTemplate::Kind::Popup);
    EXPECT_EQ(popup.text, expected[p].text);
    ASSERT_EQ(popup.items.size(), expected[p].items.size());
    for (std::size_t i = 0; i < popup.items.size(); ++i) {
      const Item& e = expected[p].items[i];
      const MenuItemTemplate& item = popup.items[i];
      EXPECT_EQ(item.kind, e.text.empty() ? MenuItemTemplate::Kind::Separator : MenuItemTemplate::Kind::Command) << i;
      EXPECT_EQ(item.text, e.text);
      EXPECT_EQ(item.id, e.id) << e.text;
      EXPECT_TRUE(item.items.empty());
    }
  }
  EXPECT_EQ(FindMenuTemplate(130), nullptr);
  EXPECT_EQ(FindMenuTemplate(0), nullptr);
}

TEST(MainMenu, CommandIdsAreTheOnesTheHandlersUse) {
  EXPECT_EQ(ID_FILE_OPEN, 57601);
  EXPECT_EQ(ID_FILE_SAVE_RESULTS, 32774);
  EXPECT_EQ(ID_FILE_EXIT, 32777);
  EXPECT_EQ(ID_HTML_OPEN_URL, 32775);
  EXPECT_EQ(ID_HELP_GENERAL, 32772);
  EXPECT_EQ(ID_HELP_ABOUT, 32771);
  EXPECT_EQ(ID_HELP_UNINSTALL, 32778);
  EXPECT_EQ(ID_HELP, 57670);
  EXPECT_EQ(IDM_ABOUTBOX, 16u);
  EXPECT_EQ(IDS_ABOUTBOX, 101);
}

struct StringCase {
  int id;
  std::string text;
};

class StringTable : public ::testing::TestWithParam<StringCase> {};

TEST_P(StringTable, HoldsTheTextExactly) { EXPECT_EQ(LoadResourceString(GetParam().id), GetParam().text); }

const StringCase kStrings[] = {
    {101, "&About Linkrake..."},
    {32771, "About Linkrake"},
    {32772, "General help on topics"},
    {32774, "Save file as ..."},
    {32775, "Open an URL to analyze"},
    {32778, "Uninstall the program"},
    {57601, "Open file"},
    {57616, "Open this document"},
    // Ids without a string read as the empty text.
    {0, ""},
    {32777, ""},
    {57670, ""},
    {102, ""},
};

INSTANTIATE_TEST_SUITE_P(Resources, StringTable, ::testing::ValuesIn(kStrings),
                         [](const ::testing::TestParamInfo<StringCase>& info) { return "Id" + std::to_string(info.param.id); });

TEST(Icons, MainFrameIconIs32By32AndTheOnlyOne) {
  const QPixmap pixmap = LoadIconPixmap(IDR_MAINFRAME);
  ASSERT_FALSE(pixmap.isNull());
  EXPECT_EQ(pixmap.size(), QSize(32, 32));
  const QImage image = pixmap.toImage();
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
  EXPECT_LE(colours.size(), 17u);  // sixteen colours, and transparency
  EXPECT_GT(colours.size(), 1u);
  EXPECT_FALSE(LoadIconResource(IDR_MAINFRAME).isNull());
  EXPECT_TRUE(LoadIconPixmap(129).isNull());
  EXPECT_TRUE(LoadIconResource(0).isNull());
}

}  // namespace
}  // namespace linkrake
