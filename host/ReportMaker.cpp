#include "host/ReportMaker.h"

#include <filesystem>

#include "accounting/DLLDocument.h"
#include "framework/core/FileIO.h"
#include "framework/core/Paths.h"
#include "host/HtmlReport.h"
#include "storage/ViewOptionsFile.h"  // the document holds one; it must be complete here
#include "tools/report/ReportModel.h"

std::optional<std::string> WriteHtmlReport(const std::string& folder, int64_t now,
                                           std::string& error) {
  CDLLDocument document;
  // Missing preferences leave the defaults, whose empty data folder the load replaces
  // by the default one, as the module does.
  document.ReadPrefs();
  document.LoadDocument();
  // With the logs of other computers beside this one's, the page shows each one's share.
  const bool byComputer = document.GetComputers().size() > 1;
  const std::string html = ReportAsHtml(BuildReport(document, now, byComputer));

  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  const std::string path = (std::filesystem::path(folder) / "taskmeter-report.html").string();
  if (!WriteFileAtomically(path, html)) {
    error = "cannot write " + path;
    return std::nullopt;
  }
  return path;
}

std::string DefaultReportFolder() { return GetExecutableDirectory() + "reports/"; }
