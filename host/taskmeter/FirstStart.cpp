#include "host/taskmeter/FirstStart.h"

#include <sys/stat.h>

#include <filesystem>

#include "framework/core/FileIO.h"
#include "framework/core/Paths.h"
#include "host/toolkit/SampleHome.h"
#include "storage/MainPrefs.h"

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
  std::error_code ec;
  if (fs::exists(folder, ec)) return FirstStartResult::AlreadySetUp;
  if (!MakePrivateFolders(folder)) {
    error = "cannot create the folder " + folder.string();
    return FirstStartResult::Failed;
  }
  // The module never creates this folder; without it the document would find no
  // preferences and no tree. WriteMainPrefs keeps the file private (it may hold a
  // password later).
  if (!WriteMainPrefs((folder / "mainpref.ini").string(), MainPrefs{})) {
    error = "cannot write " + (folder / "mainpref.ini").string();
    return FirstStartResult::Failed;
  }
  const std::pair<const char*, std::string> others[] = {
      {"viewopt.xml", FirstStartViewOptionsText()},
      {"predefgroups.xml", CatalogueText(shippedCatalogue)},
  };
  for (const auto& [name, bytes] : others) {
    if (!WriteFileAtomically((folder / name).string(), bytes)) {
      error = "cannot write " + (folder / name).string();
      return FirstStartResult::Failed;
    }
  }
  return FirstStartResult::Created;
}
