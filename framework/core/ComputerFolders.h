#pragma once

#include <string>
#include <vector>

// The data folders of the user's other computers, which a file synchronisation tool
// keeps as sub-folders of one folder (GetComputersFolder()). Nothing here writes there.

struct ComputerFolder {
  std::string name;  // the sub-folder's name, which names the computer
  std::string path;  // absolute, ending with '/'
};

enum class ComputerFolderProblem {
  Unreadable,  // gone (a link to nowhere) or cannot be listed
  NotOwned,    // belongs to another user, so nobody can be sure whose work it holds
};

struct SkippedComputerFolder {
  std::string path;
  ComputerFolderProblem problem = ComputerFolderProblem::Unreadable;
};

struct ComputerFolderList {
  std::vector<ComputerFolder> folders;  // by name
  std::vector<SkippedComputerFolder> skipped;
};

// The sub-folders of `computersFolder` (a missing one has none; one that cannot be
// listed is named in `skipped`). Hidden names and sync
// leftovers are no computers. A sub-folder that is `ownDataFolder` itself (same device
// and inode: this computer's folder shared back to it), or that is a second way into a
// folder already listed, is left out silently, so nothing is counted twice; one that
// is gone or belongs to another user is left out and named in `skipped`.
ComputerFolderList FindComputerFolders(const std::string& computersFolder,
                                       const std::string& ownDataFolder);

// This computer's name in reports: its host name, else "this computer".
std::string ThisComputerName();
