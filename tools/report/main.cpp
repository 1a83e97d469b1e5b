#include <iostream>
#include <string>
#include <vector>

#include "tools/report/ReportTool.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return RunReportTool(args, std::cout, std::cerr);
}
