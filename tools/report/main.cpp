#include <iostream>
#include <string>
#include <vector>

#include "accounting/BigAllocation.h"
#include "tools/report/ReportTool.h"

int main(int argc, char** argv) {
  // Room for the document and the report of a heavy month beside the log bytes, which
  // are counted apart.
  PrepareHeapForOneLoad(std::size_t{64} << 20);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return RunReportTool(args, std::cout, std::cerr);
}
