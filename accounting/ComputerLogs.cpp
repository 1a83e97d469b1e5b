#include "accounting/ComputerLogs.h"

#include <algorithm>

#include "accounting/LogReader.h"

ComputerLogFiles FindComputerLogs(const std::string& dataFolder, const std::string& computersFolder,
                                  int64_t now) {
  const int64_t cutoff = now - kLogWindowSeconds;
  ComputerLogFiles found;
  found.computers.push_back({ThisComputerName(), dataFolder, true});
  found.files.push_back(SelectLogFiles(FindLogFiles(dataFolder), cutoff));
  if (computersFolder.empty()) return found;

  ComputerFolderList others = FindComputerFolders(computersFolder, dataFolder);
  found.skipped = std::move(others.skipped);
  for (ComputerFolder& other : others.folders) {
    // Listed a moment ago, it may still have gone since.
    std::optional<std::vector<LogFileEntry>> files = ListLogFiles(other.path);
    if (!files) {
      found.skipped.push_back({other.path, ComputerFolderProblem::Unreadable});
      continue;
    }
    found.computers.push_back({std::move(other.name), std::move(other.path), false});
    found.files.push_back(SelectComputerLogFiles(std::move(*files), cutoff));
  }
  // Folder names are unique; the host name may be one of them.
  std::string& thisName = found.computers.front().name;
  const auto sameName = [&](const ComputerLogSource& c) { return c.name == thisName; };
  if (std::any_of(found.computers.begin() + 1, found.computers.end(), sameName)) {
    thisName += " (this computer)";
  }
  return found;
}
