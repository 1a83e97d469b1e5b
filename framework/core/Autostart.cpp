#include "framework/core/Autostart.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "framework/core/FileIO.h"

namespace {

std::string ConfigFolder() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && xdg[0] == '/') return std::string(xdg) + "/";  // relative values are invalid
  const char* home = std::getenv("HOME");
  if (!home || !home[0]) return "";
  return std::string(home) + "/.config/";
}

// Exec holds one argument: the path in double quotes. Desktop entries unescape in two
// layers. Inside the quotes, '"', '`', '$' and '\' need a backslash; that result is
// then a string value, whose own escaping doubles every backslash and spells control
// characters as \n, \t, \r. So a literal '$' becomes \\$ and a backslash four of them.
// A '%' would start a field code and is written %%.
std::string QuotedExecArgument(const std::string& path) {
  std::string out = "\"";
  for (const char c : path) {
    switch (c) {
      case '"':
      case '`':
      case '$':
        out += "\\\\";
        out += c;
        break;
      case '\\':
        out += "\\\\\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      case '%':
        out += "%%";
        break;
      default:
        out += c;
    }
  }
  return out + "\"";
}

std::string DesktopEntry(const std::string& hostPath) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=TaskMeter\n"
         "Exec=" +
         QuotedExecArgument(hostPath) +
         "\n"
         "X-GNOME-Autostart-enabled=true\n";
}

}  // namespace

std::string GetAutostartEntryPath() {
  const std::string config = ConfigFolder();
  return config.empty() ? std::string() : config + "autostart/TaskMeter.desktop";
}

void UpdateAutostartEntry(bool enabled, const std::string& hostPath) {
  const std::string entry = GetAutostartEntryPath();
  if (entry.empty()) return;
  if (!enabled) {
    (void)::unlink(entry.c_str());
    return;
  }
  // Without a path the entry could start nothing; leave whatever is there.
  if (hostPath.empty()) return;
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(entry).parent_path(), ignored);
  (void)WriteFileAtomically(entry, DesktopEntry(hostPath), 0644);
}
