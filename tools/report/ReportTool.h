#pragma once

#include <ostream>
#include <string>
#include <vector>

// taskmeter-report: loads the document from a home folder exactly as the module does
// (preferences first, without the autostart step; then the new-document load, which
// writes options/viewopt.xml back when it changed the tree) and prints the result.
// `args` are the arguments after the program name. Exit status 0 on success, 1 when
// the output cannot be written or an options file cannot be used (one line on `err`
// says which), 2 for bad options or a home folder that does not exist or cannot be read.
//
// It fixes the process clock for --now and leaves the current directory at the data
// folder, as the load does.
int RunReportTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

std::string ReportUsage();
