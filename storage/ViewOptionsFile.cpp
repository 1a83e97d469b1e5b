#include "storage/ViewOptionsFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <utility>

#include "framework/core/FileIO.h"
#include "framework/core/Paths.h"
#include "storage/XmlDoc.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// The mode an existing file has, so that a rewrite keeps it.
mode_t ExistingModeOr(const std::string& path, mode_t fallback) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return fallback;
  return info.st_mode & 07777;
}

}  // namespace

std::string GetViewOptionsPath(const std::string& optionsFolder) {
  return optionsFolder + "viewopt.xml";
}

// Lines of any length are read whole: a line longer than any fixed buffer is simply
// joined from its pieces, and the loop ends at the end of the bytes.
std::string JoinLines(std::string_view bytes) {
  std::string joined;
  joined.reserve(bytes.size());
  while (!bytes.empty()) {
    const std::size_t lf = bytes.find('\n');
    std::string_view line = bytes.substr(0, lf);
    if (lf != std::string_view::npos) {
      while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      bytes.remove_prefix(lf + 1);
    } else {
      bytes = {};
    }
    joined.append(line);
  }
  return joined;
}

bool HoldsMarkup(std::string_view bytes) {
  for (const char c : bytes) {
    if (!IsBlank(c)) return true;
  }
  return false;
}

ViewOptionsFile::ViewOptionsFile(std::string path) : path_(std::move(path)) {}

TreeFileStatus ViewOptionsFile::Load(GroupMap& tree) {
  FileRead read = ReadWholeFile(path_);
  lastLoadDamaged_ = false;
  loadedBytes_.clear();
  if (read.status == OpenStatus::Missing) {
    keepDamagedCopy_ = false;
    CreateEmptyFileIfMissing(path_);
    return TreeFileStatus::Created;
  }
  if (read.status == OpenStatus::Unreadable) {
    // Its content never reached us: it must not be replaced unseen.
    keepDamagedCopy_ = true;
    return TreeFileStatus::Unreadable;
  }
  CXmlDoc doc;
  const bool parsed = doc.Parse(JoinLines(read.bytes));
  lastLoadDamaged_ = !parsed && HoldsMarkup(read.bytes);
  keepDamagedCopy_ = lastLoadDamaged_;
  tree = ReadTree(doc);
  loadedBytes_ = std::move(read.bytes);
  return TreeFileStatus::Read;
}

bool ViewOptionsFile::Save(const GroupMap& tree) { return Write(ViewOptionsText(tree)); }

bool ViewOptionsFile::SaveIfChanged(const GroupMap& tree) {
  const std::string text = ViewOptionsText(tree);
  if (!loadedBytes_.empty() && text == loadedBytes_) return true;
  return Write(text);
}

bool ViewOptionsFile::Write(const std::string& text) {
  if (keepDamagedCopy_) {
    if (!KeepDamagedCopy()) return false;
    keepDamagedCopy_ = false;
  }
  return ReplaceRegularFile(path_, text);
}

// Copies the file as it is now to "<path>.damaged", replacing an older copy. A file
// that has gone meanwhile has nothing left to keep.
bool ViewOptionsFile::KeepDamagedCopy() const {
  const FileRead old = ReadWholeFile(path_);
  if (old.status == OpenStatus::Missing) return true;
  if (old.status != OpenStatus::Opened) return false;
  const std::string copy = path_ + ".damaged";
  return WriteFileAtomically(copy, old.bytes, ExistingModeOr(path_, 0644));
}
