#include "accounting/BigAllocation.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

void* volatile g_keptBelowBoundary = nullptr;

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

void PrepareHeapForOneLoad(std::size_t bytes) {
  const std::size_t limit = std::size_t{1} << 30;
  if (bytes == 0 || bytes > limit || g_keptBelowBoundary != nullptr) return;  // once
  // Everything up to twice the room comes from the heap and nothing is given back.
  ::mallopt(M_MMAP_THRESHOLD, static_cast<int>(bytes * 2));
  ::mallopt(M_TRIM_THRESHOLD, static_cast<int>(bytes * 2));
  ::mallopt(M_TOP_PAD, static_cast<int>(bytes));
  auto* const end = static_cast<char*>(::sbrk(0));
  if (end == reinterpret_cast<char*>(-1)) return;
  // The free top of the heap is taken up to a huge page boundary and kept for good,
  // so that every later allocation lies above it. Taking more than the top holds makes
  // the heap grow now, by the pad. The piece ends a little short of the boundary: the
  // heap's bookkeeping written right after it must not touch the memory above before
  // it is advised, or those 2 MB would stay on small pages. Untouched, the kept piece
  // costs address space only.
  const std::size_t top = ::mallinfo2().keepcost;
  const std::uintptr_t topStart = reinterpret_cast<std::uintptr_t>(end) - top;
  constexpr std::size_t kShort = 64;
  std::uintptr_t boundary = (topStart + kHugePage - 1) / kHugePage * kHugePage;
  while (boundary - topStart < top + kShort + 4096) boundary += kHugePage;
  // (Held in a volatile global: a malloc that is never used may be left out
  // altogether, and a leak checker sees the piece is still held.)
  g_keptBelowBoundary = std::malloc(boundary - topStart - kShort);
  if (g_keptBelowBoundary == nullptr) return;
  const auto grown = reinterpret_cast<std::uintptr_t>(::sbrk(0)) / kHugePage * kHugePage;
  if (grown > boundary) {
    ::madvise(reinterpret_cast<void*>(boundary), grown - boundary, MADV_HUGEPAGE);
  }
}
