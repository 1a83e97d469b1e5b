#include "framework/core/ComputerFolders.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <memory>
#include <utility>

#include "framework/core/LogFileFinder.h"

namespace {

struct FolderId {
  dev_t device = 0;
  ino_t inode = 0;
  bool operator==(const FolderId&) const = default;
};

FolderId IdOf(const struct stat& info) { return {info.st_dev, info.st_ino}; }

bool IsLink(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

}  // namespace

ComputerFolderList FindComputerFolders(const std::string& computersFolder,
                                       const std::string& ownDataFolder) {
  ComputerFolderList list;
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(computersFolder.c_str()), &::closedir);
  if (!dir) {
    // Without other computers there is no such folder; one that is there but cannot be
    // listed hides all of them.
    if (errno != ENOENT && errno != ENOTDIR && !computersFolder.empty()) {
      list.skipped.push_back({computersFolder, ComputerFolderProblem::Unreadable});
    }
    return list;
  }
  std::vector<FolderId> seen;
  struct stat own {};
  if (::stat(ownDataFolder.c_str(), &own) == 0) seen.push_back(IdOf(own));
  const std::string prefix =
      computersFolder.back() == '/' ? computersFolder : computersFolder + '/';
  std::vector<std::string> names;
  while (const dirent* item = ::readdir(dir.get())) {
    const std::string name = item->d_name;
    if (name.front() != '.' && !IsSyncLeftover(name)) names.push_back(name);
  }
  std::sort(names.begin(), names.end());  // the first path into a folder names it
  for (const std::string& name : names) {
    const std::string path = prefix + name + '/';
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
      // A link whose folder has gone (an unmounted share) is a computer we cannot read;
      // anything else that is not a folder is no computer at all.
      if (IsLink(prefix + name)) list.skipped.push_back({path, ComputerFolderProblem::Unreadable});
      continue;
    }
    if (!S_ISDIR(info.st_mode)) continue;
    if (std::find(seen.begin(), seen.end(), IdOf(info)) != seen.end()) continue;
    seen.push_back(IdOf(info));
    if (info.st_uid != ::geteuid()) {
      list.skipped.push_back({path, ComputerFolderProblem::NotOwned});
      continue;
    }
    list.folders.push_back({name, path});
  }
  return list;
}

std::string ThisComputerName() {
  char name[HOST_NAME_MAX + 1] = {};
  if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') return "this computer";
  return name;
}
