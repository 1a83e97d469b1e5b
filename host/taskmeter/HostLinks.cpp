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
<p>The buttons along the top are, from the left: <b>Predefined groups</b>,
<b>Preferences</b>, <b>Reports</b>, <b>Lock</b>, <b>UnLock</b> and <b>Help</b>. Rest
the pointer on any button to see its name.</p>
<p>The box <b>Groups and Projects</b> on the left shows your groups in one of two
ways. As a tree, groups are folders and applications are the entries inside them. As a
list, you choose a group under <b>Look in:</b> and see its applications below; groups
of the same name anywhere in the tree are listed together. The first button of the row
under the box switches between the two (<b>Change view mode</b>).</p>
<p>The other buttons of that row work on the selected entry: <b>Refresh</b> reads the
logs again and keeps your selection, <b>Move App to...</b> moves the application into
another group, <b>Copy application</b> and <b>Paste application</b> copy it into the
group you select next (one paste for each copy), <b>Create new project/group</b> makes a
group at the top or inside another, and <b>Remove</b> moves an application to
<i>Other Applications</i> or removes a group (its applications go to <i>Other
Applications</i>). A right click in the tree offers the same as a menu: New, Delete,
Copy, Paste, Move to... and Rename. In the tree you can also drag an application onto a
group, or onto another application to put it into that application's group; holding it
over a closed group opens the group after two seconds.</p>
<p>The pages on the right show the selected entry. <b>Main</b> holds its name: change
<b>Show as:</b> and press <b>Apply</b> to rename a group or to give an application
another display name (<b>Restore Original Name</b> brings back the name the log
records, <b>Discard</b> undoes your edits). For an application you can also tick
<b>Application "..." is active and its caption contain text:</b> and give a text: the
entry then counts only the time in which the window's caption contains that text, so one
program's time can be divided between projects. <b>Quick Info</b> shows the program's
file name and path and three bars with lines such as <i>Work: 01:30:00 = 25.00
percent</i>: the time this month, this week and today, as a share of the group (for a
group, of the group above it, or of all groups at the top).</p>
<h2>Dialogs</h2>
<ul>
<li><b>Settings</b> (Preferences button, or Configure &gt; Settings...) has five pages:
<i>Main Options</i> (start TaskMeter when you log in), <i>Collection</i> (pause when you
are not active for a number of seconds, and while the screen saver runs), <i>Filter</i>
(show only programs used more than a number of seconds this month), <i>Interface</i>
(the tray icon animation) and <i>Security</i> (the password). OK saves and every part of
TaskMeter takes the new values at once.</li>
<li><b>Groups/Folders Configuration</b> (Predefined groups button, or Configure &gt;
Predefined Groups/Folders) copies ready-made groups from the catalogue on the right into
your groups on the left: <b>&lt;</b> copies the selected group, <b>&lt;&lt;</b> copies
it with all groups beneath it, and the red cross removes the selected group of yours.
Save keeps the changes, Cancel forgets them.</li>
</ul>
<h2>The lock</h2>
<p>With a password set on the Security page of Settings, <b>Lock</b> (or Configure
&gt; Lock/Unlock...) makes the window unusable until the password is given:
everything stays visible, but only <b>UnLock</b> works. TaskMeter starts locked when
password protection is on. Without a password, Lock opens the Security page so that you
can set one.</p>
<h2>Menus</h2>
<ul>
<li><b>File &gt; Hide</b> puts TaskMeter into the system tray; click the tray icon to bring
it back. Where the desktop has no tray, the window is minimised.</li>
<li><b>Reports &gt; Make report...</b> opens a report of the current totals in your
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
