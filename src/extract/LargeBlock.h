#pragma once
#include <cstddef>
#include <memory>

namespace linkrake {

// Memory for the big stores of a search (link texts, their views, sort keys): blocks of 2 MiB
// and more are mapped on their own, in huge pages where the system offers them, since on
// link-dense input faulting in millions of small pages costs as much as a good part of the
// search. Smaller blocks come from the ordinary heap. Not zeroed.
struct LargeBlockFree {
  std::size_t mapped = 0;  // the mapping's length; 0 for a block from the heap
  void operator()(char* block) const;
};
using LargeBlock = std::unique_ptr<char[], LargeBlockFree>;

LargeBlock AllocateLargeBlock(std::size_t size);

// The same for a growing vector of a store's items.
template <class T>
struct LargeBlockAllocator {
  using value_type = T;
  LargeBlockAllocator() = default;
  template <class U>
  LargeBlockAllocator(const LargeBlockAllocator<U>&) {}
  T* allocate(std::size_t n) {
    return reinterpret_cast<T*>(AllocateLargeBlock(n * sizeof(T)).release());
  }
  void deallocate(T* p, std::size_t n) {
    LargeBlock(reinterpret_cast<char*>(p), LargeBlockFree{MappedLength(n * sizeof(T))});
  }
  template <class U>
  bool operator==(const LargeBlockAllocator<U>&) const {
    return true;
  }
  // What AllocateLargeBlock maps for a block of this size (0: it takes it from the heap).
  static std::size_t MappedLength(std::size_t size);
};

std::size_t LargeBlockMappedLength(std::size_t size);

template <class T>
std::size_t LargeBlockAllocator<T>::MappedLength(std::size_t size) {
  return LargeBlockMappedLength(size);
}

}  // namespace linkrake
