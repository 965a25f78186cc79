#include "extract/LargeBlock.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <new>

namespace linkrake {
namespace {
constexpr std::size_t kHugePage = std::size_t{2} << 20;
}

std::size_t LargeBlockMappedLength(std::size_t size) {
  if (size < kHugePage) return 0;
  return (size + kHugePage - 1) / kHugePage * kHugePage;
}

void LargeBlockFree::operator()(char* block) const {
  if (mapped == 0) {
    std::free(block);
  } else {
    ::munmap(block, mapped);
  }
}

LargeBlock AllocateLargeBlock(std::size_t size) {
  const std::size_t length = LargeBlockMappedLength(size);
  if (length == 0) {
    void* block = std::malloc(size ? size : 1);
    if (!block) throw std::bad_alloc();
    return LargeBlock(static_cast<char*>(block), LargeBlockFree{0});
  }
  // One huge page more than needed, so that an aligned start lies inside; the ends go back.
  void* mapping = ::mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapping == MAP_FAILED) throw std::bad_alloc();
  const auto start = reinterpret_cast<std::uintptr_t>(mapping);
  const std::uintptr_t aligned = (start + kHugePage - 1) / kHugePage * kHugePage;
  if (aligned != start) ::munmap(mapping, aligned - start);
  if (const std::size_t tail = kHugePage - (aligned - start); tail != 0) {
    ::munmap(reinterpret_cast<void*>(aligned + length), tail);
  }
  char* block = reinterpret_cast<char*>(aligned);
#ifdef MADV_HUGEPAGE
  (void)::madvise(block, length, MADV_HUGEPAGE);  // only advice: small pages work as well
#endif
  return LargeBlock(block, LargeBlockFree{length});
}

}  // namespace linkrake
