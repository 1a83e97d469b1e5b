#include "accounting/BigAllocation.h"

#include <sys/mman.h>

#include <cstdlib>

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

}  // namespace

void* AllocateBig(std::size_t bytes) {
  if (bytes < kHugePage) {
    void* memory = std::malloc(bytes == 0 ? 1 : bytes);
    if (memory == nullptr) throw std::bad_alloc();
    return memory;
  }
  const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  void* memory = std::aligned_alloc(kHugePage, rounded);
  if (memory == nullptr) throw std::bad_alloc();
  // Only advice: where huge pages are off or scarce, small pages serve as before.
  ::madvise(memory, rounded, MADV_HUGEPAGE);
  return memory;
}

void FreeBig(void* memory) noexcept { std::free(memory); }
