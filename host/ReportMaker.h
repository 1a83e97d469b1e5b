#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Makes the report the module asks for: loads the options and the recent logs into a
// document of its own (as the module's view shows them), and writes the page to
// `folder`/taskmeter-report.html. Returns the file's path, or nothing with `error` set.
std::optional<std::string> WriteHtmlReport(const std::string& folder, int64_t now,
                                           std::string& error);

// Where the host keeps its reports: beside the options.
std::string DefaultReportFolder();
