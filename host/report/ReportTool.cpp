#include "host/report/ReportTool.h"

#include <dirent.h>

#include <optional>

#include "accounting/DLLDocument.h"
#include "framework/core/Clock.h"
#include "framework/core/FileIO.h"
#include "framework/core/Paths.h"
#include "host/report/ReportFormat.h"
#include "host/report/ReportModel.h"
#include "host/toolkit/CommandLine.h"
#include "host/toolkit/LocalTime.h"
#include "storage/ViewOptionsFile.h"  // the document holds one; it must be complete here

namespace {

struct Request {
  std::string home;    // empty: the executable directory
  std::string output;  // absolute; empty: standard output
  std::optional<int64_t> now;
  ReportFormat format = ReportFormat::Text;
};

int UsageError(std::ostream& err, const std::string& message) {
  err << "taskmeter-report: " << message << "\n\n" << ReportUsage();
  return 2;
}

std::optional<std::string> ReadOptions(const CommandLine& cl, Request& request) {
  if (auto v = cl.Value("format")) {
    const auto format = ParseReportFormat(*v);
    if (!format) return "--format must be text, json or csv";
    request.format = *format;
  }
  if (auto v = cl.Value("now")) {
    request.now = ParseDateTime(*v);
    if (!request.now) return "--now needs a local time \"YYYY-MM-DD hh:mm:ss\"";
  }
  if (auto v = cl.Value("home")) {
    if (v->empty()) return "--home needs a folder";
    request.home = *v;
  }
  if (auto v = cl.Value("output")) {
    if (v->empty()) return "--output needs a file name";
    // Now, because the load moves the current directory to the data folder.
    request.output = AbsolutePath(*v);
  }
  return std::nullopt;
}

// A folder that exists and whose entries can be listed.
bool IsReadableFolder(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return false;
  ::closedir(dir);
  return true;
}

}  // namespace

std::string ReportUsage() {
  return "Usage: taskmeter-report [--home DIR] [--now \"YYYY-MM-DD hh:mm:ss\"]\n"
         "                        [--format text|json|csv] [--output FILE]\n"
         "Loads the group tree and the activity logs of the last 31 days as the viewer\n"
         "does (options/viewopt.xml is rewritten, as every load does) and prints the\n"
         "totals for this month, this week and today.\n"
         "\n"
         "  --home DIR      folder that holds options/ (default: $TASKMETER_HOME, else\n"
         "                  the folder of this program)\n"
         "  --now TIME      local time to report at (default: the clock)\n"
         "  --format F      text (default), json or csv\n"
         "  --output FILE   write the report there instead of standard output\n"
         "  --help          show this text\n";
}

int RunReportTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CommandLine cl({{"home"}, {"now"}, {"format"}, {"output"}, {"help", false}});
  if (!cl.Parse(args)) return UsageError(err, cl.Error());
  if (cl.Has("help")) {
    out << ReportUsage();
    return 0;
  }
  Request request;
  if (const auto problem = ReadOptions(cl, request)) return UsageError(err, *problem);

  CDLLDocument document;
  if (!request.home.empty()) document.SetHomeFolder(request.home);
  const HomeFolders& folders = document.GetFolders();
  if (folders.home.empty() || !IsReadableFolder(folders.home)) {
    err << "taskmeter-report: the home folder "
        << (folders.home.empty() ? "(unknown)" : folders.home)
        << " does not exist or cannot be read\n";
    return 2;
  }
  if (!IsReadableFolder(folders.options)) {
    err << "taskmeter-report: note: " << folders.options
        << " does not exist; the report is empty\n";
  }
  if (request.now) SetFixedClock(*request.now);

  document.ReadPrefs();
  document.OnNewDocument();
  const std::string text = FormatReport(BuildReport(document, ClockNow()), request.format);

  if (request.output.empty()) {
    out << text;
    out.flush();
    return out ? 0 : 1;
  }
  if (!WriteFileAtomically(request.output, text)) {
    err << "taskmeter-report: cannot write " << request.output << '\n';
    return 1;
  }
  return 0;
}
