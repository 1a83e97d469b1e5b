#include <iostream>
#include <string>
#include <vector>

#include "tools/common/SimulateTool.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return RunSimulateTool(args, std::cout, std::cerr);
}
