#pragma once

#include <cstdint>
#include <string>

#include "framework/core/Status.h"

// Makes the report the module asks for: loads the options and the recent logs into a
// document of its own (as the module's view shows them), and writes the page to
// `folder`/taskmeter-report.html. Returns the file's path.
Result<std::string> WriteHtmlReport(const std::string& folder, int64_t now);

// Where the host keeps its reports: beside the options.
std::string DefaultReportFolder(const std::string& home);
