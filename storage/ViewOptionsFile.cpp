#include "storage/ViewOptionsFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <utility>

#include "framework/core/FileIO.h"
#include "framework/core/Paths.h"

namespace {

constexpr std::string_view kOptions = "Options";

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

FileProblem ViewOptionsFile::ProblemOf(FileProblemCode code, std::string other) const {
  return {code, OptionsFile::Groups, path_, std::move(other)};
}

TreeFileStatus ViewOptionsFile::Load(GroupMap& tree) {
  FileRead read = ReadWholeFile(path_);
  loadedBytes_.clear();
  keepCopyFirst_ = false;
  neverSave_ = false;
  problem_ = {};
  if (read.status == OpenStatus::Missing) {
    CreateEmptyFileIfMissing(path_);
    return TreeFileStatus::Created;
  }
  if (read.status == OpenStatus::Unreadable) {
    // Its content never reached us: it must not be replaced unseen.
    neverSave_ = true;
    problem_ = ProblemOf(FileProblemCode::Unreadable);
    return TreeFileStatus::Unreadable;
  }
  CXmlDoc& doc = markup_;
  const bool parsed = doc.Parse(JoinLines(read.bytes));
  const bool holdsMarkup = HoldsMarkup(read.bytes);
  const std::optional<std::string> linkedTo = SymbolicLinkTarget(path_);
  // A link may lead to any file of the user's: only one that holds a tree (or nothing)
  // is written through it.
  if (linkedTo && holdsMarkup && !(parsed && doc.FindElement(kOptions))) {
    neverSave_ = true;
    problem_ = ProblemOf(FileProblemCode::NotATree, *linkedTo);
  } else {
    keepCopyFirst_ = !parsed && holdsMarkup;
  }
  tree = ReadTree(doc);
  doc.Clear();
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
  if (neverSave_) return false;  // the problem the load found says why
  std::string keptAs;
  if (keepCopyFirst_) {
    const std::optional<std::string> copy = KeepDamagedCopy();
    if (!copy) {
      problem_ = ProblemOf(FileProblemCode::NotSaved);
      return false;
    }
    keptAs = *copy;
    keepCopyFirst_ = false;
  }
  if (!ReplaceRegularFile(path_, text)) {
    problem_ = ProblemOf(FileProblemCode::NotSaved);
    return false;
  }
  problem_ = keptAs.empty() ? FileProblem{} : ProblemOf(FileProblemCode::SetAside, keptAs);
  return true;
}

// Copies the file as it is now beside it: where it went, "" when the file has gone
// meanwhile (nothing is left to keep), nothing when no copy could be made.
std::optional<std::string> ViewOptionsFile::KeepDamagedCopy() const {
  constexpr int kMostCopies = 1000;
  const FileRead old = ReadWholeFile(path_);
  if (old.status == OpenStatus::Missing) return std::string();
  if (old.status != OpenStatus::Opened) return std::nullopt;
  const mode_t mode = ExistingModeOr(path_, 0644);
  for (int n = 1; n <= kMostCopies; ++n) {
    std::string copy = path_ + ".damaged" + (n == 1 ? "" : "." + std::to_string(n));
    switch (WriteNewFile(copy, old.bytes, mode)) {
      case NewFile::Written:
        return copy;
      case NewFile::Exists:
        break;
      case NewFile::Failed:
        return std::nullopt;
    }
  }
  return std::nullopt;
}
