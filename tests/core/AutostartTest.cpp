#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>

#include "framework/core/Autostart.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

// Sets an environment variable for one scope and restores the previous value.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    const char* old = getenv(name);
    hadValue_ = old != nullptr;
    if (old) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (hadValue_) {
      setenv(name_, old_.c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  bool hadValue_ = false;
  std::string old_;
};

class ScopedConfigHome : public ScopedEnv {
 public:
  explicit ScopedConfigHome(const std::string& value) : ScopedEnv("XDG_CONFIG_HOME", value) {}
};

std::map<std::string, std::string> ReadEntryKeys(const fs::path& file) {
  std::istringstream in(ReadBytes(file));
  std::map<std::string, std::string> keys;
  std::string line;
  EXPECT_TRUE(std::getline(in, line));
  EXPECT_EQ(line, "[Desktop Entry]");
  while (std::getline(in, line)) {
    const auto equals = line.find('=');
    EXPECT_NE(equals, std::string::npos) << line;
    keys[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return keys;
}

// Decodes an Exec value the way a session launcher does: string escapes first, then
// %% to %, then one double-quoted argument with backslash escapes.
std::string DecodeSingleQuotedArgument(const std::string& exec) {
  std::string unescaped;
  for (size_t i = 0; i < exec.size(); ++i) {
    if (exec[i] != '\\' || i + 1 == exec.size()) {
      unescaped += exec[i];
      continue;
    }
    const char next = exec[++i];
    const std::map<char, char> escapes = {
        {'\\', '\\'}, {'n', '\n'}, {'t', '\t'}, {'r', '\r'}, {'s', ' '}};
    const auto found = escapes.find(next);
    EXPECT_NE(found, escapes.end()) << "invalid string escape \\" << next;
    unescaped += found == escapes.end() ? next : found->second;
  }
  std::string expanded;
  for (size_t i = 0; i < unescaped.size(); ++i) {
    if (unescaped[i] == '%') {
      EXPECT_TRUE(i + 1 < unescaped.size() && unescaped[i + 1] == '%') << "field code in " << exec;
      ++i;
    }
    expanded += unescaped[i];
  }
  EXPECT_GE(expanded.size(), 2u);
  EXPECT_EQ(expanded.front(), '"');
  EXPECT_EQ(expanded.back(), '"');
  std::string argument;
  for (size_t i = 1; i + 1 < expanded.size(); ++i) {
    char c = expanded[i];
    if (c == '\\') {
      c = expanded[++i];
      EXPECT_NE(std::string("\"`$\\").find(c), std::string::npos) << "needless escape of " << c;
    } else {
      EXPECT_EQ(std::string("\"`$\\").find(c), std::string::npos) << "unescaped " << c;
    }
    argument += c;
  }
  return argument;
}

TEST(Autostart, EntryPathFollowsXdgConfigHomeOrHome) {
  ScopedConfigHome config("/cfg/here");
  EXPECT_EQ(GetAutostartEntryPath(), "/cfg/here/autostart/TaskMeter.desktop");
  ScopedEnv home("HOME", "/home/ann");
  for (const std::string ignored : {"not/absolute", ""}) {
    ScopedConfigHome relative(ignored);
    EXPECT_EQ(GetAutostartEntryPath(), "/home/ann/.config/autostart/TaskMeter.desktop");
  }
  ScopedEnv noHome("HOME", "");
  ScopedConfigHome unusable("");
  EXPECT_EQ(GetAutostartEntryPath(), "");
  UpdateAutostartEntry(true, "/usr/bin/host");  // nowhere to write: quietly nothing
  EXPECT_FALSE(fs::exists("autostart/TaskMeter.desktop"));
}

TEST(Autostart, EnabledWritesAValidEntryWithTheQuotedPath) {
  const std::string paths[] = {
      "/opt/TaskMeter/taskmeter-host", "/home/ann/My Programs/task meter",
      "/tmp/odd \"quoted\" name",      "/tmp/$HOME/`whoami`/x",
      "/tmp/back\\slash\\\\twice",     "/tmp/100%/%u",
      "/tmp/tab\there/new\nline",
  };
  TempDir dir;
  ScopedConfigHome config(dir.Path().string());
  const fs::path entry = dir.Path() / "autostart" / "TaskMeter.desktop";
  ASSERT_EQ(GetAutostartEntryPath(), entry.string());
  for (const std::string& path : paths) {
    UpdateAutostartEntry(true, path);
    ASSERT_TRUE(fs::is_regular_file(entry)) << path;
    const auto keys = ReadEntryKeys(entry);
    EXPECT_EQ(keys.size(), 4u);
    EXPECT_EQ(keys.at("Type"), "Application");
    EXPECT_EQ(keys.at("Name"), "TaskMeter");
    EXPECT_EQ(keys.at("X-GNOME-Autostart-enabled"), "true");
    EXPECT_EQ(DecodeSingleQuotedArgument(keys.at("Exec")), path);
  }
  EXPECT_EQ(ReadEntryKeys(entry).at("Exec"), "\"/tmp/tab\\there/new\\nline\"");
}

TEST(Autostart, EnabledOverwritesAndDisabledRemoves) {
  TempDir dir;
  ScopedConfigHome config(dir.Path().string());
  const fs::path entry = dir.Write("autostart/TaskMeter.desktop", "[Desktop Entry]\nExec=old\n");
  UpdateAutostartEntry(true, "/usr/bin/new-host");
  EXPECT_EQ(ReadEntryKeys(entry).at("Exec"), "\"/usr/bin/new-host\"");
  struct stat info {};
  ASSERT_EQ(stat(entry.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0644u);
  UpdateAutostartEntry(false, "/usr/bin/new-host");
  EXPECT_FALSE(fs::exists(entry));
  UpdateAutostartEntry(false, "/usr/bin/new-host");  // nothing to remove is no error
  EXPECT_FALSE(fs::exists(entry));
  EXPECT_TRUE(fs::is_directory(entry.parent_path()));
}

TEST(Autostart, NothingIsWrittenWithoutAHostPathOrAWritableFolder) {
  TempDir dir;
  {
    ScopedConfigHome config(dir.Path().string());
    UpdateAutostartEntry(true, "");
    EXPECT_FALSE(fs::exists(dir.Path() / "autostart" / "TaskMeter.desktop"));
  }
  const fs::path file = dir.Write("config-is-a-file", "x");
  ScopedConfigHome config(file.string());
  UpdateAutostartEntry(true, "/usr/bin/host");  // fails quietly
  EXPECT_EQ(ReadBytes(file), "x");
}

}  // namespace
