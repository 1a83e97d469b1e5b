#pragma once

#include <filesystem>
#include <string>

// A fresh folder under the system's temporary directory, removed with everything in
// it when the object goes out of scope.
class TempDir {
 public:
  explicit TempDir(const std::string& prefix = "taskmeter");
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // Writes a file below the folder (binary, creating sub-folders) and returns its path.
  std::filesystem::path Write(const std::string& relative, const std::string& bytes) const;

 private:
  std::filesystem::path path_;
};

// The whole content of a file, read in binary; empty when it cannot be read.
std::string ReadBytes(const std::filesystem::path& file);
