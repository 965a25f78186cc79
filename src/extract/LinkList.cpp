#include "extract/LinkList.h"

#include <algorithm>
#include <cstring>

#include "extract/TextSort.h"

namespace linkrake {
namespace {
constexpr std::size_t kBlockSize = std::size_t{2} << 20;
}

char* LinkList::Allocate(std::size_t size) {
  if (size > freeSize_) {
    if (size > kBlockSize / 4) {
      // A long text gets a block of its own, so the current block is not wasted.
      blocks_.push_back(AllocateLargeBlock(size));
      return blocks_.back().get();
    }
    blocks_.push_back(AllocateLargeBlock(kBlockSize));
    free_ = blocks_.back().get();
    freeSize_ = kBlockSize;
  }
  char* at = free_;
  free_ += size;
  freeSize_ -= size;
  return at;
}

void LinkList::InsertJoined(std::string_view a, std::string_view b, std::string_view c) {
  const std::size_t size = a.size() + b.size() + c.size();
  char* at = size ? Allocate(size) : nullptr;
  if (!a.empty()) std::memcpy(at, a.data(), a.size());
  if (!b.empty()) std::memcpy(at + a.size(), b.data(), b.size());
  if (!c.empty()) std::memcpy(at + a.size() + b.size(), c.data(), c.size());
  items_.emplace_back(at ? at : "", size);
  ++version_;
}

void LinkList::Settle() const {
  if (sortedCount_ == items_.size()) return;
  const auto middle = items_.begin() + static_cast<std::ptrdiff_t>(sortedCount_);
  SortTexts(items_.data() + sortedCount_, items_.data() + items_.size());
  std::inplace_merge(items_.begin(), middle, items_.end());
  sortedCount_ = items_.size();
}

std::string_view LinkList::GetItemText(std::size_t index) const {
  if (index >= items_.size()) return {};
  Settle();
  return items_[index];
}

void LinkList::DeleteItem(std::size_t index) {
  if (index >= items_.size()) return;
  Settle();
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
  sortedCount_ = items_.size();
  ++version_;
}

void LinkList::DeleteAllItems() {
  items_.clear();
  sortedCount_ = 0;
  blocks_.clear();
  free_ = nullptr;
  freeSize_ = 0;
  items_.shrink_to_fit();
  ++version_;
}

void LinkList::RemoveAdjacentDuplicates() {
  Settle();
  Shrink(static_cast<std::size_t>(std::unique(items_.begin(), items_.end()) - items_.begin()));
}

void LinkList::Shrink(std::size_t count) {
  items_.resize(count);
  sortedCount_ = count;
  ++version_;
}

}  // namespace linkrake
