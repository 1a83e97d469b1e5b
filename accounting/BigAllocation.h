#pragma once

#include <cstddef>
#include <memory>
#include <new>

// Memory for the large arrays a load fills once (the log bytes, the records). Blocks
// of 2 MB and more are aligned for transparent huge pages and advised to use them: a
// load touches every page of them once, and a few huge page faults cost far less than
// thousands of small ones. The memory is never cleared first.
void* AllocateBig(std::size_t bytes);
void FreeBig(void* memory) noexcept;

// The same for standard containers.
template <typename T>
struct BigAllocator {
  using value_type = T;
  BigAllocator() = default;
  template <typename U>
  BigAllocator(const BigAllocator<U>&) {}
  T* allocate(std::size_t n) {
    if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
    return static_cast<T*>(AllocateBig(n * sizeof(T)));
  }
  void deallocate(T* p, std::size_t) noexcept { FreeBig(p); }
  template <typename U>
  bool operator==(const BigAllocator<U>&) const {
    return true;
  }
};

// An owned byte block from AllocateBig.
struct BigFree {
  void operator()(char* memory) const noexcept { FreeBig(memory); }
};
using BigBytes = std::unique_ptr<char[], BigFree>;
inline BigBytes MakeBigBytes(std::size_t bytes) {
  return BigBytes(static_cast<char*>(AllocateBig(bytes)));
}
