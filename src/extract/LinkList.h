#pragma once
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "extract/LargeBlock.h"

namespace linkrake {

// The search results: texts kept in ascending byte order (unsigned bytes), equal texts side
// by side, whatever order they were inserted in. Built for millions of links: texts live in a
// few large blocks, insertions are appended and sorted once when the order is next needed,
// and the filters run as single linear passes.
class LinkList {
 public:
  LinkList() = default;
  LinkList(const LinkList&) = delete;
  LinkList& operator=(const LinkList&) = delete;

  // Adds one item at its sorted place.
  void InsertItem(std::string_view text) { InsertJoined({}, {}, text); }
  // Adds the item a + b + c without building the joined text elsewhere first.
  void InsertJoined(std::string_view a, std::string_view b, std::string_view c);

  std::size_t GetItemCount() const { return items_.size(); }
  // The item's text; empty at or past the end.
  std::string_view GetItemText(std::size_t index) const;
  void DeleteItem(std::size_t index);
  void DeleteAllItems();

  // Deletes every item that has the same text as the item before it.
  void RemoveAdjacentDuplicates();
  // Deletes every item whose text satisfies the predicate; the rest keep their order.
  template <class Predicate>
  void RemoveIf(Predicate&& remove) {
    Settle();
    std::size_t kept = 0;
    for (std::string_view text : items_) {
      if (!remove(text)) items_[kept++] = text;
    }
    Shrink(kept);
  }

  // Bumped by every change; views use it to notice that they must refresh.
  unsigned long long Version() const { return version_; }

 private:
  void Settle() const;
  void Shrink(std::size_t count);
  char* Allocate(std::size_t size);

  mutable std::vector<std::string_view, LargeBlockAllocator<std::string_view>> items_;
  mutable std::size_t sortedCount_ = 0;  // items_[0, sortedCount_) are in order
  std::vector<LargeBlock> blocks_;
  char* free_ = nullptr;
  std::size_t freeSize_ = 0;
  unsigned long long version_ = 0;
};

}  // namespace linkrake
