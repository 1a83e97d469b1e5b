#include "tools/common/SampleHome.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "framework/core/FileIO.h"
#include "storage/MainPrefs.h"
#include "storage/ViewOptionsFile.h"
#include "tree/GroupTree.h"

namespace {

AppEntry Entry(std::string showAs, std::string app, std::string filter, std::string path) {
  AppEntry entry;
  entry.ShowAs = std::move(showAs);
  entry.Name = std::move(app);
  entry.isCheckTitleFilter = !filter.empty();
  entry.TitleFilter = std::move(filter);
  entry.Path = std::move(path);
  return entry;
}

AppEntry Filtered(std::string showAs, const std::string& app, std::string filter) {
  return Entry(std::move(showAs), app, std::move(filter), "/usr/bin/" + app);
}

// Sub-groups hang on an entry with empty texts, as the program's own "new group" makes it.
AppEntry Carrier(GroupMap subGroups) {
  AppEntry carrier;
  carrier.SubGroups = std::move(subGroups);
  return carrier;
}

AppList Project(const std::string& title, const std::string& lower) {
  return {Filtered(title + " code", "editor", lower), Filtered(title + " web", "browser", title),
          Filtered(title + " documents", "writer", title),
          Filtered(title + " sheets", "spreadsheet", title)};
}

GroupMap SampleTree() {
  const GroupMap projects = {{"Project Apollo", Project("Apollo", "apollo")},
                             {"Project Zephyr", Project("Zephyr", "zephyr")}};
  return {
      {"Breaks",
       {Entry("Idle", "Idle", "", ""), Entry("Stop", "Stop", "", ""),
        Filtered("News", "browser", "News")}},
      {"Communication", {Filtered("Mail", "mail", ""), Filtered("Chat", "chat", "")}},
      {"Work",
       {Filtered("Terminal", "terminal", ""), Filtered("Notes", "editor", "notes.txt"),
        Carrier(projects)}},
  };
}

}  // namespace

std::string SampleViewOptionsText() { return ViewOptionsText(SampleTree()); }

std::string SamplePredefinedGroupsText() {
  // The catalogue that the package ships as a file, built in byte for byte.
  static constexpr unsigned char kBytes[] = {
#include "PredefinedGroupsBytes.inc"
  };
  return std::string(reinterpret_cast<const char*>(kBytes), sizeof kBytes);
}

std::string SampleMainPrefsText(const std::string& dataFolder) {
  MainPrefs prefs;  // the defaults a new user gets
  prefs.DbPath = dataFolder;
  if (!dataFolder.empty() && dataFolder.back() != '/') prefs.DbPath += '/';
  return MainPrefsText(prefs);
}

Status WriteSampleOptions(const std::string& home, const std::string& dataFolder, bool overwrite) {
  namespace fs = std::filesystem;
  const fs::path options = fs::path(home) / "options";
  std::error_code ec;
  fs::create_directories(options, ec);
  if (!fs::is_directory(options, ec)) {
    return Status::Failure(ErrorCode::CannotCreate, "cannot create the folder " + options.string());
  }
  const std::pair<const char*, std::string> files[] = {
      {"mainpref.ini", SampleMainPrefsText(dataFolder)},
      {"viewopt.xml", SampleViewOptionsText()},
      {"predefgroups.xml", SamplePredefinedGroupsText()},
  };
  if (!overwrite) {
    for (const auto& [name, bytes] : files) {
      if (fs::exists(options / name, ec)) {
        return Status::Failure(
            ErrorCode::AlreadyExists,
            (options / name).string() + " exists (use --overwrite to replace it)");
      }
    }
  }
  for (const auto& [name, bytes] : files) {
    // The preferences may one day hold a password: owner only, as the program keeps it.
    const mode_t mode = std::string(name) == "mainpref.ini" ? 0600 : 0644;
    if (!WriteFileAtomically((options / name).string(), bytes, mode)) {
      return Status::Failure(ErrorCode::CannotWrite, "cannot write " + (options / name).string());
    }
  }
  return {};
}
