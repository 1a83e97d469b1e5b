#include "tools/common/SampleHome.h"

#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "framework/core/FileIO.h"

namespace {

// Builds the markup of the options files, one element a line.
class Markup {
 public:
  void Open(const char* name) { text_ += std::string("<") + name + ">\r\n"; }
  void Close(const char* name) { text_ += std::string("</") + name + ">\r\n"; }
  void Leaf(const char* name, const std::string& value) {
    if (value.empty()) {
      text_ += std::string("<") + name + "/>\r\n";
    } else {
      text_ += std::string("<") + name + ">" + Escape(value) + "</" + name + ">\r\n";
    }
  }
  std::string Take() { return std::move(text_); }

 private:
  static std::string Escape(const std::string& value) {
    std::string out;
    for (const char c : value) {
      if (c == '<')
        out += "&lt;";
      else if (c == '>')
        out += "&gt;";
      else if (c == '&')
        out += "&amp;";
      else
        out += c;
    }
    return out;
  }
  std::string text_;
};

struct SampleApp {
  std::string showAs, name, filter, path;
};

struct SampleGroup {
  std::string name;
  std::vector<SampleApp> apps;
  std::vector<SampleGroup> subGroups;  // in name order
};

void WriteGroups(Markup& m, const std::vector<SampleGroup>& groups) {
  m.Open("Options");
  for (const SampleGroup& group : groups) {
    m.Open("Group");
    m.Leaf("Name", group.name);
    for (const SampleApp& app : group.apps) {
      m.Open("App");
      m.Leaf("Name", app.name);
      m.Leaf("ShowAs", app.showAs);
      m.Leaf("isCheckTitleFilter", app.filter.empty() ? "0" : "1");
      m.Leaf("TitleFilter", app.filter);
      m.Leaf("Path", app.path);
      m.Close("App");
    }
    if (!group.subGroups.empty()) WriteGroups(m, group.subGroups);
    m.Close("Group");
  }
  m.Close("Options");
}

SampleApp Filtered(std::string showAs, const std::string& app, std::string filter) {
  return {std::move(showAs), app, std::move(filter), "/usr/bin/" + app};
}

SampleGroup Project(const std::string& title, const std::string& lower) {
  return {"Project " + title,
          {Filtered(title + " code", "editor", lower), Filtered(title + " web", "browser", title),
           Filtered(title + " documents", "writer", title),
           Filtered(title + " sheets", "spreadsheet", title)},
          {}};
}

// Top-level groups in name order, as the file keeps them.
std::vector<SampleGroup> SampleTree() {
  return {
      {"Breaks",
       {{"Idle", "Idle", "", ""}, {"Stop", "Stop", "", ""}, Filtered("News", "browser", "News")},
       {}},
      {"Communication", {Filtered("Mail", "mail", ""), Filtered("Chat", "chat", "")}, {}},
      {"Work",
       {Filtered("Terminal", "terminal", ""), Filtered("Notes", "editor", "notes.txt")},
       {Project("Apollo", "apollo"), Project("Zephyr", "zephyr")}},
  };
}

}  // namespace

std::string SampleViewOptionsText() {
  Markup m;
  WriteGroups(m, SampleTree());
  return m.Take();
}

std::string SamplePredefinedGroupsText() {
  // The catalogue that the package ships as a file, built in byte for byte.
  static constexpr unsigned char kBytes[] = {
#include "PredefinedGroupsBytes.inc"
  };
  return std::string(reinterpret_cast<const char*>(kBytes), sizeof kBytes);
}

std::string SampleMainPrefsText(const std::string& dataFolder) {
  std::string folder = dataFolder;
  if (!folder.empty() && folder.back() != '/') folder += '/';
  const std::pair<const char*, std::string> lines[] = {
      {"db path=", folder},
      {"idle time=", "300"},
      {"last/current open db file=", ""},
      {"Language=", "English"},
      {"LoadOnStartup=", "0"},
      {"bPauseTimeTrackingOnUserInActive=", "1"},
      {"bPauseTimeTrackingOnScreenSaverActive=", "1"},
      {"bEnableFilter=", "0"},
      {"iShowpProgrUsedMoreSec=", "60"},
      {"iShowpProgrUsedMorePercent=", "1"},
      {"bAnimatedIconInSysTray=", "1"},
      {"Pass=", ""},
      {"isPass=", "0"},
  };
  std::string text;
  for (const auto& [key, value] : lines) text += std::string(key) + value + "\r\n";
  return text;
}

bool WriteSampleOptions(const std::string& home, const std::string& dataFolder, bool overwrite,
                        std::string& error) {
  namespace fs = std::filesystem;
  const fs::path options = fs::path(home) / "options";
  std::error_code ec;
  fs::create_directories(options, ec);
  if (!fs::is_directory(options, ec)) {
    error = "cannot create the folder " + options.string();
    return false;
  }
  const std::pair<const char*, std::string> files[] = {
      {"mainpref.ini", SampleMainPrefsText(dataFolder)},
      {"viewopt.xml", SampleViewOptionsText()},
      {"predefgroups.xml", SamplePredefinedGroupsText()},
  };
  if (!overwrite) {
    for (const auto& [name, bytes] : files) {
      if (fs::exists(options / name, ec)) {
        error = (options / name).string() + " exists (use --overwrite to replace it)";
        return false;
      }
    }
  }
  for (const auto& [name, bytes] : files) {
    // The preferences may one day hold a password: owner only, as the program keeps it.
    const mode_t mode = std::string(name) == "mainpref.ini" ? 0600 : 0644;
    if (!WriteFileAtomically((options / name).string(), bytes, mode)) {
      error = "cannot write " + (options / name).string();
      return false;
    }
  }
  return true;
}
