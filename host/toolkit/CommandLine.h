#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

// A small parser for "--name value", "--name=value" and "--flag" options, left for
// the host program's few options; the tools use ToolOptions.h. No positional
// arguments: everything is named.
struct OptionSpec {
  std::string name;  // without the leading "--"
  bool takesValue = true;
};

class CommandLine {
 public:
  explicit CommandLine(std::vector<OptionSpec> specs);

  // False on the first unknown option, missing value, repeated option or stray
  // argument; Error() then says which.
  bool Parse(const std::vector<std::string>& args);
  const std::string& Error() const { return error_; }

  bool Has(const std::string& name) const { return values_.count(name) != 0; }
  std::optional<std::string> Value(const std::string& name) const;

 private:
  const OptionSpec* Find(const std::string& name) const;
  bool Fail(std::string message);

  std::vector<OptionSpec> specs_;
  std::map<std::string, std::string> values_;
  std::string error_;
};
