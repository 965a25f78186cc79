// The exclusion text and its filter on arbitrary bytes.
//
// Input: the exclusion text up to the first NUL byte, then the list's items, one per line.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzBytes.h"
#include "Reference.h"
#include "extract/Filters.h"

namespace {

class Bar : public linkrake::IProgressBar {
 public:
  void SetRange(int, int) override {}
  void SetPos(int pos) override { last = pos; }
  int last = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace linkrake;
  using namespace linkrake::fuzz;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t nul = std::min(input.find('\0'), input.size());
  const std::string_view text = input.substr(0, nul);
  const std::string_view items = input.substr(std::min(nul + 1, input.size()));

  const std::string pattern = MakeExclusionPattern(text);
  Check(pattern == ReferencePattern(text), "the first 255 asterisks go, nothing else");
  const auto stars = std::count(text.begin(), text.end(), '*');
  Check(pattern.size() == text.size() - static_cast<std::size_t>(std::min<long>(stars, 255)),
        "the pattern is as long as the text less the dropped asterisks");

  LinkList list;
  std::vector<std::string> expected;
  std::size_t start = 0;
  while (start <= items.size() && !items.empty()) {
    const std::size_t end = std::min(items.find('\n', start), items.size());
    const std::string_view item = items.substr(start, end - start);
    list.InsertItem(item);
    if (!pattern.empty() && !Contains(item, pattern)) expected.emplace_back(item);
    start = end + 1;
  }
  std::sort(expected.begin(), expected.end(), ByteLess);

  Bar bar;
  ProgressTracker progress(bar);
  progress.Start(10000 * 3);  // scale 3: the filter's steps show on the bar
  const std::size_t before = list.GetItemCount();
  RemoveExcludedLinks(list, text, progress);

  std::vector<std::string> kept;
  for (std::size_t i = 0; i < list.GetItemCount(); ++i) kept.emplace_back(list.GetItemText(i));
  Check(kept == expected, "exactly the items without the pattern stay, in order");
  // One step of 10000 / n for each of the n items: the bar ends at n * (10000 / n).
  const int steps = before == 0 ? 0 : static_cast<int>(before * (10000 / before));
  Check(bar.last == steps, "one progress step for every item looked at");
  return 0;
}
