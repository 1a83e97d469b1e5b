#pragma once

#include <string>

// What is wrong with one of the options files, as a code and the files involved; the
// text the user is shown is made from it.
enum class FileProblemCode {
  None,
  Unreadable,  // it exists but cannot be read: left as it is, never saved over
  NotATree,    // a link to a file that holds no group tree: both left as they are
  SetAside,    // it did not read as a group tree: kept under `other`, the tree starts anew
  NotSaved,    // a save failed: the file keeps what it held before
};

enum class OptionsFile { Groups, Settings };

struct FileProblem {
  FileProblemCode code = FileProblemCode::None;
  OptionsFile file = OptionsFile::Groups;
  std::string path;
  std::string other;  // NotATree: the link's target; SetAside: where the file was kept

  explicit operator bool() const { return code != FileProblemCode::None; }
  bool operator==(const FileProblem&) const = default;
};

// One line for the user: the file, what is wrong and what was done with it.
std::string DescribeFileProblem(const FileProblem& problem);
