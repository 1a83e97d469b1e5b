#include "recorder/ProcessPath.h"

#include <filesystem>
#include <string_view>

std::string ProgramPath(uint32_t pid) {
  if (pid == 0) return {};
  std::error_code ec;
  std::string path = std::filesystem::read_symlink("/proc/" + std::to_string(pid) + "/exe", ec);
  if (ec) return {};
  // A program replaced on disk while running (an update) keeps its old path.
  constexpr std::string_view kDeleted = " (deleted)";
  if (path.size() > kDeleted.size() && path.ends_with(kDeleted)) {
    path.resize(path.size() - kDeleted.size());
  }
  return path;
}
