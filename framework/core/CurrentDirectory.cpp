#include "framework/core/CurrentDirectory.h"

#include <unistd.h>

#include <cerrno>
#include <vector>

bool SetCurrentDirectory(const std::string& folder) {
  // chdir("") fails on its own, which is how an empty data folder keeps the old one.
  return ::chdir(folder.c_str()) == 0;
}

std::string GetCurrentDirectory() {
  std::vector<char> buffer(4096);
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE || buffer.size() > (1u << 20)) return {};
    buffer.resize(buffer.size() * 2);
  }
  std::string path(buffer.data());
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}
