#pragma once

#include <optional>
#include <string>

#include "tree/GroupTree.h"

// The view's application clipboard: one application and the group it was copied from.
// It serves one paste; a drop in the tree is a copy pasted as a move.
class CAppClipboard {
 public:
  // Holds `name` of group `source`; an empty name holds nothing (a group is not copied:
  // its name could stand for an application of its parent). Paste is allowed afterwards.
  void Copy(std::string name, GroupPath source);
  // Copies (keepSource) or moves the held application into group `destination` of
  // `tree`, then empties the clipboard and disallows Paste. The pasted item's path, or
  // nothing when nothing was held.
  std::optional<GroupPath> Paste(GroupMap& tree, const GroupPath& destination, bool keepSource);

  // Follows the state of the Paste button, which the lock sets as well.
  bool IsPasteAllowed() const { return m_pasteAllowed; }
  void AllowPaste(bool allowed) { m_pasteAllowed = allowed; }

 private:
  std::string m_name;
  GroupPath m_source;
  bool m_pasteAllowed = false;
};
