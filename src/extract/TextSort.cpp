#include "extract/TextSort.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <new>

#include "extract/LargeBlock.h"

namespace linkrake {
namespace {

// Below this size a group is finished by an ordinary comparison sort.
constexpr std::ptrdiff_t kSmallGroup = 24;
// Past this many bytes of common beginning the rest of a group is compared directly; it keeps
// the rounds bounded for long texts that tie for long.
constexpr std::size_t kMaxDepth = 1024;

struct Entry {
  std::uint64_t key;   // the eight bytes at the group's depth, big-endian, zero-padded
  std::uint32_t rest;  // how many bytes the text has from the depth on, at most 9
  std::string_view text;
};

std::uint64_t KeyAt(std::string_view text, std::size_t depth, std::uint32_t& rest) {
  const std::size_t left = text.size() - depth;
  std::uint64_t key = 0;
  if (left >= 8) {
    std::memcpy(&key, text.data() + depth, 8);
    rest = left > 8 ? 9 : 8;
  } else {
    if (left) std::memcpy(&key, text.data() + depth, left);
    rest = static_cast<std::uint32_t>(left);
  }
  if constexpr (std::endian::native == std::endian::little) key = __builtin_bswap64(key);
  return key;
}

// Equal keys with fewer bytes left mean the shorter text is a beginning of the longer one (the
// padding is zeros and the bytes both have are equal), so it comes first.
bool Before(const Entry& a, const Entry& b) {
  return a.key != b.key ? a.key < b.key : a.rest < b.rest;
}

void SortSmall(Entry* begin, Entry* end, std::size_t depth) {
  std::sort(begin, end, [depth](const Entry& a, const Entry& b) {
    return a.text.substr(depth) < b.text.substr(depth);
  });
}

void SortGroup(Entry* begin, Entry* end, std::size_t depth);

// Sorts entries whose keys at `depth` are loaded. Three-way partitions: links share their keys
// in long runs (one host, one folder), and a run equal to the pivot is done with this round at
// once and goes on to the next eight bytes.
void SortByKeys(Entry* begin, Entry* end, std::size_t depth) {
  while (end - begin >= kSmallGroup) {
    const Entry* a = begin;
    const Entry* b = begin + (end - begin) / 2;
    const Entry* c = end - 1;
    // The median of three as pivot.
    if (Before(*b, *a)) std::swap(a, b);
    if (Before(*c, *b)) b = Before(*c, *a) ? a : c;
    const Entry pivot = *b;
    Entry* lt = begin;  // [begin, lt) below the pivot
    Entry* gt = end;    // [gt, end) above it
    for (Entry* i = begin; i < gt;) {
      if (Before(*i, pivot)) {
        std::swap(*i++, *lt++);
      } else if (Before(pivot, *i)) {
        std::swap(*i, *--gt);
      } else {
        ++i;
      }
    }
    if (pivot.rest == 9 && gt - lt > 1) SortGroup(lt, gt, depth + 8);
    // The smaller side by recursion, the larger by the loop: the stack stays shallow.
    if (lt - begin < end - gt) {
      SortByKeys(begin, lt, depth);
      begin = gt;
    } else {
      SortByKeys(gt, end, depth);
      end = lt;
    }
  }
  std::sort(begin, end, [](const Entry& x, const Entry& y) { return Before(x, y); });
  for (Entry* run = begin; run != end;) {
    Entry* runEnd = run + 1;
    while (runEnd != end && runEnd->key == run->key && runEnd->rest == run->rest) ++runEnd;
    if (run->rest == 9 && runEnd - run > 1) SortGroup(run, runEnd, depth + 8);
    run = runEnd;
  }
}

void SortGroup(Entry* begin, Entry* end, std::size_t depth) {
  while (end - begin > 1) {
    if (end - begin < kSmallGroup || depth >= kMaxDepth) {
      SortSmall(begin, end, depth);
      return;
    }
    bool allTie = true;
    for (Entry* e = begin; e != end; ++e) {
      // The texts lie scattered in the store: ask for the next ones early.
      if (end - e > 16) __builtin_prefetch((e + 16)->text.data() + depth);
      e->key = KeyAt(e->text, depth, e->rest);
      allTie = allTie && e->rest == 9 && e->key == begin->key;
    }
    if (allTie) {
      depth += 8;
      continue;
    }
    SortByKeys(begin, end, depth);
    return;
  }
}

}  // namespace

void SortTexts(std::string_view* begin, std::string_view* end) {
  if (end - begin < kSmallGroup) {
    std::sort(begin, end);
    return;
  }
  const std::size_t count = static_cast<std::size_t>(end - begin);
  const LargeBlock store = AllocateLargeBlock(count * sizeof(Entry));
  Entry* const entries = reinterpret_cast<Entry*>(store.get());
  for (std::size_t i = 0; i < count; ++i) new (entries + i) Entry{0, 0, begin[i]};
  SortGroup(entries, entries + count, 0);
  for (std::size_t i = 0; i < count; ++i) begin[i] = entries[i].text;
}

}  // namespace linkrake
