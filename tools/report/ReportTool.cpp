#include "tools/report/ReportTool.h"

#include <dirent.h>

#include <memory>
#include <optional>

#include "accounting/DLLDocument.h"
#include "framework/core/Clock.h"
#include "framework/core/FileIO.h"
#include "framework/core/Paths.h"
#include "storage/ViewOptionsFile.h"  // the document holds one; it must be complete here
#include "tools/common/LocalTime.h"
#include "tools/common/ToolOptions.h"
#include "tools/report/ReportFormat.h"
#include "tools/report/ReportModel.h"

namespace {

// The options as given, checked after parsing.
struct RawOptions {
  std::string home, now, format, output;
  bool byComputer = false;
};

struct Request {
  std::string home;    // empty: the executable directory
  std::string output;  // absolute; empty: standard output
  std::optional<int64_t> now;
  ReportFormat format = ReportFormat::Text;
  bool byComputer = false;
};

ToolAppPtr ReportApp(RawOptions& raw) {
  auto app =
      MakeToolApp("taskmeter-report",
                  "Loads the group tree and the activity logs of the last 31 days as the viewer\n"
                  "does (options/viewopt.xml is written back when the load changed it) and\n"
                  "prints the totals for this month, this week and today. The logs of your\n"
                  "other computers, which a file synchronisation tool keeps in\n"
                  "$XDG_DATA_HOME/Kestrel Works/TaskMeter/Computers/<name>/, count too.");
  AddValueOption(*app, "--home", raw.home, "DIR",
                 "folder that holds options/ (default: $TASKMETER_HOME, else the folder of "
                 "this program when it holds options/, else ~/.config/TaskMeter)");
  AddValueOption(*app, "--now", raw.now, "TIME",
                 "local time \"YYYY-MM-DD hh:mm:ss\" to report at (default: the clock)");
  AddValueOption(*app, "--format", raw.format, "F", "text (default), json or csv");
  AddValueOption(*app, "--output", raw.output, "FILE",
                 "write the report there instead of standard output");
  AddFlagOption(*app, "--by-computer", raw.byComputer,
                "also show each item's time on each computer");
  return app;
}

std::optional<std::string> ReadOptions(const ToolApp& app, const RawOptions& raw,
                                       Request& request) {
  if (Given(app, "--format")) {
    const auto format = ParseReportFormat(raw.format);
    if (!format) return "--format must be text, json or csv";
    request.format = *format;
  }
  if (Given(app, "--now")) {
    request.now = ParseDateTime(raw.now);
    if (!request.now) return "--now needs a local time \"YYYY-MM-DD hh:mm:ss\"";
  }
  if (Given(app, "--home")) {
    if (raw.home.empty()) return "--home needs a folder";
    request.home = raw.home;
  }
  request.byComputer = raw.byComputer;
  if (Given(app, "--output")) {
    if (raw.output.empty()) return "--output needs a file name";
    // Now, because the load moves the current directory to the data folder.
    request.output = AbsolutePath(raw.output);
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
  RawOptions raw;
  return ToolHelp(*ReportApp(raw));
}

int RunReportTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  RawOptions raw;
  const auto app = ReportApp(raw);
  if (const auto status = ParseToolArguments(*app, args, out, err)) return *status;
  Request request;
  if (const auto problem = ReadOptions(*app, raw, request)) {
    return ToolUsageError(*app, err, *problem);
  }

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
  for (const SkippedComputerFolder& skipped : document.GetSkippedComputers()) {
    err << "taskmeter-report: note: " << skipped.path
        << (skipped.problem == ComputerFolderProblem::NotOwned ? " belongs to another user"
                                                               : " cannot be read")
        << "; the logs there are not counted\n";
  }
  const std::string text =
      FormatReport(BuildReport(document, ClockNow(), request.byComputer), request.format);

  if (request.output.empty()) {
    out << text;
    out.flush();
    if (!out) return 1;
  } else if (!WriteFileAtomically(request.output, text)) {
    err << "taskmeter-report: cannot write " << request.output << '\n';
    return 1;
  }
  // The report stands, but it is not what the user's files hold.
  for (const FileProblem& problem :
       {document.GetPrefsFileProblem(), document.GetTreeFileProblem()}) {
    if (!problem) continue;
    err << "taskmeter-report: " << DescribeFileProblem(problem) << '\n';
    return 1;
  }
  return 0;
}
