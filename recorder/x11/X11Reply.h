#pragma once

#include <cstdlib>
#include <memory>

// Replies of xcb are malloc'ed; a Reply frees its reply with it.
template <typename T>
struct XcbFreeDeleter {
  void operator()(T* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, XcbFreeDeleter<T>>;
