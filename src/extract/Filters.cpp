#include "extract/Filters.h"

#include <functional>

namespace linkrake {
namespace {

constexpr int kMaxStars = 255;

// A filter that looks at its n items one at a time takes exactly n steps of 10000 / n, one
// for every item kept and one for every item deleted, so the bar moves the same whether the
// items are looked at one by one or, as here, in one pass.
void StepOverItems(ProgressTracker& progress, std::size_t itemsAtStart) {
  if (itemsAtStart == 0) return;
  const std::size_t step = 10000 / itemsAtStart;
  if (step == 0) return;  // more than 10,000 items: every step adds nothing
  for (std::size_t i = 0; i < itemsAtStart; ++i) progress.AdvanceProgress(static_cast<double>(step));
}

}  // namespace

std::string MakeExclusionPattern(std::string_view exclusionText) {
  std::string pattern;
  pattern.reserve(exclusionText.size());
  int removed = 0;
  for (char ch : exclusionText) {
    if (ch == '*' && removed < kMaxStars) {
      ++removed;
    } else {
      pattern += ch;
    }
  }
  return pattern;
}

void RemoveDuplicateLinks(LinkList& list, ProgressTracker& progress) {
  const std::size_t count = list.GetItemCount();
  list.RemoveAdjacentDuplicates();
  StepOverItems(progress, count);
}

void RemoveExcludedLinks(LinkList& list, std::string_view exclusionText,
                         ProgressTracker& progress) {
  const std::string pattern = MakeExclusionPattern(exclusionText);
  const std::size_t count = list.GetItemCount();
  if (pattern.empty()) {
    list.RemoveIf([](std::string_view) { return true; });
  } else {
    const std::boyer_moore_horspool_searcher searcher(pattern.begin(), pattern.end());
    list.RemoveIf([&](std::string_view text) {
      return std::search(text.begin(), text.end(), searcher) != text.end();
    });
  }
  StepOverItems(progress, count);
}

}  // namespace linkrake
