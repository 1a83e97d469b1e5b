#pragma once

#include <sstream>
#include <string>
#include <vector>

// A tool run in this process: its exit status and what it wrote to each stream.
struct ToolRun {
  int status = 0;
  std::string out, err;
};

template <typename Tool>
ToolRun RunTool(Tool tool, const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = tool(args, out, err);
  return {status, out.str(), err.str()};
}
