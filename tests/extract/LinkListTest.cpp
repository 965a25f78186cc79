#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "extract/LinkList.h"

namespace linkrake {
namespace {

std::vector<std::string> Items(const LinkList& list) {
  std::vector<std::string> items;
  for (std::size_t i = 0; i < list.GetItemCount(); ++i) items.emplace_back(list.GetItemText(i));
  return items;
}

TEST(LinkList, KeepsItemsInUnsignedByteOrderWhereverTheyAreInserted) {
  LinkList list;
  for (const char* text : {"http://b/", "\xE9t\xE9", "http://a/", "", "HTTP://Z/", "http://a/"})
    list.InsertItem(text);
  EXPECT_EQ(Items(list), (std::vector<std::string>{"", "HTTP://Z/", "http://a/", "http://a/",
                                                   "http://b/", "\xE9t\xE9"}));
  // Items added after a read still land at their sorted place: "N" sorts after "H".
  list.InsertItem("No http:// addresses found.");
  EXPECT_EQ(Items(list), (std::vector<std::string>{"", "HTTP://Z/", "No http:// addresses found.",
                                                   "http://a/", "http://a/", "http://b/",
                                                   "\xE9t\xE9"}));
  EXPECT_EQ(list.GetItemText(7), "");  // past the end
}

TEST(LinkList, DeletesByIndexAndAll) {
  LinkList list;
  for (const char* text : {"c", "a", "b"}) list.InsertItem(text);
  list.DeleteItem(1);
  EXPECT_EQ(Items(list), (std::vector<std::string>{"a", "c"}));
  list.DeleteItem(5);  // nothing there
  EXPECT_EQ(list.GetItemCount(), 2u);
  list.DeleteAllItems();
  EXPECT_EQ(list.GetItemCount(), 0u);
  EXPECT_EQ(list.GetItemText(0), "");
  list.InsertItem("again");
  EXPECT_EQ(Items(list), (std::vector<std::string>{"again"}));
}

TEST(LinkList, HoldsLongTextsAndManyItems) {
  LinkList list;
  const std::string longText(3 << 20, 'q');  // larger than a storage block
  list.InsertItem(longText);
  for (int i = 0; i < 200000; ++i) list.InsertJoined("http://h/", std::to_string(i % 1000), "/");
  list.InsertItem("a");
  ASSERT_EQ(list.GetItemCount(), 200002u);
  EXPECT_EQ(list.GetItemText(0), "a");
  EXPECT_EQ(list.GetItemText(1), "http://h/0/");
  EXPECT_EQ(list.GetItemText(200001), longText);
  list.RemoveAdjacentDuplicates();
  EXPECT_EQ(list.GetItemCount(), 1002u);
}

}  // namespace
}  // namespace linkrake
