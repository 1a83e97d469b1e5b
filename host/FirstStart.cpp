#include "host/FirstStart.h"

#include <sys/stat.h>

#include <filesystem>

#include "framework/core/FileIO.h"
#include "framework/core/Paths.h"
#include "storage/MainPrefs.h"
#include "tools/common/SampleHome.h"

std::string FirstStartViewOptionsText() { return "<Options/>\r\n"; }

std::string ShippedCataloguePath() {
  return (std::filesystem::path(GetProgramDirectory()) / TASKMETER_DATADIR_FROM_PROGRAM /
          "predefgroups.xml")
      .lexically_normal()
      .string();
}

namespace {

std::string CatalogueText(const std::string& shippedCatalogue) {
  if (shippedCatalogue.empty()) return SamplePredefinedGroupsText();
  const FileRead shipped = ReadWholeFile(shippedCatalogue);
  return shipped.status == OpenStatus::Opened ? shipped.bytes : SamplePredefinedGroupsText();
}

// Makes every missing folder along `folder` for the user alone: a fresh account may not
// have ~/.config yet, which the base-directory rules want private, and the options may
// hold a password.
bool MakePrivateFolders(const std::filesystem::path& folder) {
  std::error_code ec;
  if (std::filesystem::is_directory(folder, ec)) return true;
  const std::filesystem::path parent = folder.parent_path();
  if (!parent.empty() && parent != folder && !MakePrivateFolders(parent)) return false;
  return ::mkdir(folder.c_str(), 0700) == 0 || std::filesystem::is_directory(folder, ec);
}

}  // namespace

FirstStartResult PrepareOptionsFolder(const std::string& optionsFolder, std::string& error,
                                      const std::string& shippedCatalogue) {
  namespace fs = std::filesystem;
  const fs::path folder(optionsFolder);
  if (!MakePrivateFolders(folder)) {
    error = "cannot create the folder " + folder.string();
    return FirstStartResult::Failed;
  }
  // The module never creates this folder; without it the document would find no
  // preferences and no tree. The preferences are private: they may hold a password.
  const struct {
    const char* name;
    std::string bytes;
    mode_t mode;
  } files[] = {
      {"mainpref.ini", MainPrefsText(MainPrefs{}), 0600},
      {"viewopt.xml", FirstStartViewOptionsText(), 0644},
      {"predefgroups.xml", CatalogueText(shippedCatalogue), 0644},
  };
  bool created = false;
  for (const auto& file : files) {
    const std::string path = (folder / file.name).string();
    switch (WriteNewFile(path, file.bytes, file.mode)) {
      case NewFile::Written:
        created = true;
        break;
      case NewFile::Exists:
        break;
      case NewFile::Failed:
        error = "cannot write " + path;
        return FirstStartResult::Failed;
    }
  }
  return created ? FirstStartResult::Created : FirstStartResult::AlreadySetUp;
}
