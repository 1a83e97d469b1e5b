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
  void* memory = nullptr;
  if (::posix_memalign(&memory, kHugePage, bytes) != 0) throw std::bad_alloc();
  // Only advice: where huge pages are off or scarce, small pages serve as before. The
  // tail beyond the last whole huge page stays on small pages, so that a few bytes
  // past a boundary do not make the kernel clear 2 MB more.
  ::madvise(memory, bytes / kHugePage * kHugePage, MADV_HUGEPAGE);
  return memory;
}

void FreeBig(void* memory) noexcept { std::free(memory); }
