#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// The command line of the headless tools: named options only, "--name value" or
// "--name=value", and "--help". Bad options exit with status 2 after the usage.

// The parser stays behind this opaque type: the command-line library is heavy to compile,
// and only ToolOptions.cpp needs it.
struct ToolApp;
struct ToolAppDeleter {
  void operator()(ToolApp* app) const;
};
using ToolAppPtr = std::unique_ptr<ToolApp, ToolAppDeleter>;

// An App for `name` whose only help option is "--help".
ToolAppPtr MakeToolApp(const std::string& name, const std::string& description);

// Adds "--name VALUE" storing into `value`.
void AddValueOption(ToolApp& app, const std::string& name, std::string& value,
                    const std::string& valueName, const std::string& help);
// Adds the flag "--name", setting `value` when given.
void AddFlagOption(ToolApp& app, const std::string& name, bool& value, const std::string& help);

// The usage text that --help prints.
std::string ToolHelp(const ToolApp& app);

// Parses `args` (those after the program name). nullopt: go on. Otherwise the exit
// status, the help or the error already printed.
std::optional<int> ParseToolArguments(ToolApp& app, std::vector<std::string> args,
                                      std::ostream& out, std::ostream& err);

// Prints "<name>: <message>", a blank line and the usage to `err`; returns 2.
int ToolUsageError(const ToolApp& app, std::ostream& err, const std::string& message);

// Whether the option `name` ("--home") was given.
bool Given(const ToolApp& app, const std::string& name);

// A whole decimal number within [min, max]; nothing else (no sign for unsigned use,
// no blanks, no trailing text).
std::optional<int64_t> ParseInteger(const std::string& text, int64_t min, int64_t max);
std::optional<uint64_t> ParseUnsigned(const std::string& text);
