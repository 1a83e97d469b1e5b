#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "framework/core/Paths.h"
#include "storage/FileProblem.h"
#include "storage/XmlDoc.h"
#include "tree/GroupTree.h"

// How a load of a tree file ended.
enum class TreeFileStatus {
  Read,        // the file was read; the tree is what it held (empty when it did not parse)
  Created,     // there was no file: an empty one was made where the folder exists
  Unreadable,  // the file exists but cannot be opened: it is left exactly as it was
};

// Path of "options/viewopt.xml".
std::string GetViewOptionsPath(const std::string& optionsFolder);

// Reads the groups under the container at the main position. With
// `placeholderForEmptyGroup` a group without entries gets a "None" placeholder (the
// catalogue's rule) instead of an entry with all texts empty.
GroupMap ReadTree(CXmlDoc& doc, bool placeholderForEmptyGroup = false);

// The exact bytes written for `tree` (CR LF line ends; "<Options/>" for no groups).
std::string ViewOptionsText(const GroupMap& tree);

// The text of a tree file as the reader parses it: all lines joined without their
// line ends. A line may end in LF, CR LF or CR CR LF; every CR before the LF goes.
std::string JoinLines(std::string_view bytes);

// Whether a tree file's bytes are worth keeping when they do not parse: anything but
// white space.
bool HoldsMarkup(std::string_view bytes);

// The user's tree file. Saves replace the file whole (temporary file, sync, rename), so
// a failed save leaves the old file as it was. A file that the last load found but
// could not read as a tree is kept beside it before the first save that would replace
// it, under the first free name of "<path>.damaged", "<path>.damaged.2", ... (an older
// copy is never replaced); when that copy cannot be made the save is refused. Nothing
// is ever saved over a file that could not be read, nor through a link to a file that
// holds something else: the user's own file is not ours to replace.
class ViewOptionsFile {
 public:
  explicit ViewOptionsFile(std::string path);

  const std::string& Path() const { return path_; }

  // Read: `tree` is replaced by the tree read. Created / Unreadable: `tree` unchanged.
  TreeFileStatus Load(GroupMap& tree);

  // Writes the whole tree; false (old file untouched) when it cannot be written.
  bool Save(const GroupMap& tree);

  // The save at the end of a load: when the tree's bytes equal those the load read,
  // the file is left alone (no rewrite, no sync); it is saved otherwise.
  bool SaveIfChanged(const GroupMap& tree);

  // What is wrong with the file as the last load and the saves since found it; a
  // successful save ends NotSaved and SetAside.
  const FileProblem& Problem() const { return problem_; }

 private:
  bool Write(const std::string& text);
  std::optional<std::string> KeepDamagedCopy() const;
  FileProblem ProblemOf(FileProblemCode code, std::string other = {}) const;

  std::string path_;
  std::string loadedBytes_;     // of the last load that read the file
  bool keepCopyFirst_ = false;  // until a save has kept the damaged file's content
  bool neverSave_ = false;      // the file is not ours to replace
  FileProblem problem_;
  // Kept from load to load: the index of a large tree's markup is the largest buffer
  // of a load, and one made afresh each time meets fresh pages on every reload.
  CXmlDoc markup_;
};

// Path of "options/predefgroups.xml".
std::string GetPredefinedGroupsPath(const std::string& optionsFolder);

// Reads the catalogue of predefined groups into `catalogue` (replaced on Read).
TreeFileStatus LoadPredefinedGroups(const std::string& path, GroupMap& catalogue);

// The catalogue the bytes of such a file hold (empty when they do not parse).
GroupMap ReadPredefinedGroupsText(std::string_view bytes);
