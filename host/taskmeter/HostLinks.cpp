#include "host/taskmeter/HostLinks.h"

#include <filesystem>

#include "framework/core/FileIO.h"
#include "host/taskmeter/HostCommands.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kHelpPageName = "taskmeter-help.html";

// Percent-encodes what a mail subject may not carry as it is.
std::string EncodeQueryText(const std::string& text) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '.' || c == '_';
    if (plain) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 0xF];
    }
  }
  return out;
}

// Writes the page only when its text changed, so an open browser tab is not disturbed.
std::string EnsureHelpPage(const std::string& helpFolder) {
  if (helpFolder.empty()) return {};
  std::error_code ec;
  fs::create_directories(helpFolder, ec);
  const std::string path = (fs::path(helpFolder) / kHelpPageName).string();
  const std::string text = HelpPageHtml();
  const FileRead current = ReadWholeFile(path);
  if (current.status == OpenStatus::Opened && current.bytes == text) return path;
  return WriteFileAtomically(path, text) ? path : std::string();
}

}  // namespace

std::string AboutText() {
  return std::string("TaskMeter ") + kHostVersion +
         "\n\nA work-time tracker: it shows how the time of this month, this week and today "
         "divides between your applications, groups and projects.\n\n"
         "Licence: free to use, copy, change and pass on, with or without changes, "
         "provided this notice stays with every copy. It comes without any warranty.";
}

std::string HelpTarget(const std::string& executableDirectory, const std::string& helpFolder) {
  std::error_code ec;
  const fs::path chm = fs::path(executableDirectory) / kHelpFileName;
  if (fs::is_regular_file(chm, ec)) return chm.string();
  return EnsureHelpPage(helpFolder);
}

std::string WebTarget(UINT id, const std::string& helpFolder) {
  const char* section = nullptr;
  switch (id) {
    case host_cmd::kHomePage:
      section = "home";
      break;
    case host_cmd::kNewsPage:
      section = "news";
      break;
    case host_cmd::kSeeUpdates:
      section = "updates";
      break;
    default:
      return {};
  }
  const std::string page = EnsureHelpPage(helpFolder);
  if (page.empty()) return {};
  return "file://" + page + "#" + section;
}

std::string FeedbackTarget(UINT id) {
  const char* subject = nullptr;
  switch (id) {
    case host_cmd::kBugReport:
      subject = "TaskMeter bug report";
      break;
    case host_cmd::kInformationRequest:
      subject = "TaskMeter information request";
      break;
    case host_cmd::kSuggestions:
      subject = "TaskMeter suggestions";
      break;
    default:
      return {};
  }
  return std::string("mailto:") + kFeedbackAddress + "?subject=" + EncodeQueryText(subject);
}

std::string HelpPageHtml() {
  return std::string(R"(<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>TaskMeter help</title>
<style>body { font-family: sans-serif; margin: 1.5em; max-width: 46em; color: #222; }</style>
</head><body>
<h1 id="home">TaskMeter )") +
         kHostVersion + R"(</h1>
<p>TaskMeter records which application you work in and shows how your time divides
between applications, groups and projects: this month, this week and today.</p>
<h2>The main window</h2>
<p>The tree on the left holds your groups and projects. Select an application to see its
share of its group on the statistics page, and its display name and title filter on the
association page. Drag applications between groups, or use the buttons above the tree.</p>
<h2>Menus</h2>
<ul>
<li><b>File &gt; Hide</b> puts TaskMeter into the system tray; click the tray icon to bring
it back. Where the desktop has no tray, the window is minimised.</li>
<li><b>Configure &gt; Settings</b> sets the data folder, the pauses, the filter, start-up,
the tray icon animation and the password lock.</li>
<li><b>Reports &gt; Make report</b> opens a report of the current totals in your
browser.</li>
</ul>
<h2>What is recorded</h2>
<p>While TaskMeter runs on an X11 desktop it writes down which application is in front
and the caption of its window, one entry whenever either changes, into the log of the
day in the data folder. After the idle time without input, and while the screen saver
runs (as chosen in Settings), the time counts as Idle. File &gt; Exit stops the
recording. The status bar says what is being recorded; under Wayland nothing is.</p>
<h2>Files</h2>
<p>The options live in the folder <code>options</code> beside the program (or in
<code>$TASKMETER_HOME</code>): <code>viewopt.xml</code>, <code>mainpref.ini</code> and
<code>predefgroups.xml</code>. Reports go to the folder <code>reports</code>.</p>
<h2 id="news">News</h2>
<p>Version )" +
         kHostVersion +
         R"( runs on Linux desktops, with the report in the browser and the icon in the
system tray.</p>
<h2 id="updates">Updates</h2>
<p>You have the newest version that this installation knows of.</p>
<h2 id="feedback">Feedback</h2>
<p>Write to <a href="mailto:)" +
         kFeedbackAddress + R"(">)" + kFeedbackAddress + R"(</a>.</p>
</body></html>
)";
}
