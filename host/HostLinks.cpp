#include "host/HostLinks.h"

#include <QFile>
#include <QString>
#include <QUrl>
#include <filesystem>

#include "framework/core/FileIO.h"
#include "host/HostCommands.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kHelpPageName = "taskmeter-help.html";

// Percent-encodes what a mail subject may not carry as it is.
std::string EncodeQueryText(const std::string& text) {
  return QUrl::toPercentEncoding(QString::fromStdString(text)).toStdString();
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
  // The page is a resource of the program; the version and the address go in here.
  QFile page(QStringLiteral(":/help/taskmeter-help.html"));
  if (!page.open(QIODevice::ReadOnly)) return {};
  QString html = QString::fromUtf8(page.readAll());
  html.replace(QStringLiteral("@VERSION@"), QString::fromUtf8(kHostVersion));
  html.replace(QStringLiteral("@FEEDBACK@"), QString::fromUtf8(kFeedbackAddress));
  return html.toStdString();
}
