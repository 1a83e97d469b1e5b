#pragma once

#include <ostream>
#include <string>
#include <vector>

// taskmeter-simulate: writes realistic activity logs, and optionally a whole sample
// home around them. `args` are the arguments after the program name. Exit status 0 on
// success, 1 when writing fails, 2 for bad options.
int RunSimulateTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

std::string SimulateUsage();
