#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// The command line of the headless tools: named options only, "--name value" or
// "--name=value", and "--help". Bad options exit with status 2 after the usage.

// An App for `name` whose only help option is "--help".
std::unique_ptr<CLI::App> MakeToolApp(const std::string& name, const std::string& description);

// Adds "--name VALUE" storing into `value`.
void AddValueOption(CLI::App& app, const std::string& name, std::string& value,
                    const std::string& valueName, const std::string& help);

// Parses `args` (those after the program name). nullopt: go on. Otherwise the exit
// status, the help or the error already printed.
std::optional<int> ParseToolArguments(CLI::App& app, std::vector<std::string> args,
                                      std::ostream& out, std::ostream& err);

// Prints "<name>: <message>", a blank line and the usage to `err`; returns 2.
int ToolUsageError(const CLI::App& app, std::ostream& err, const std::string& message);

// Whether the option `name` ("--home") was given.
bool Given(const CLI::App& app, const std::string& name);

// A whole decimal number within [min, max]; nothing else (no sign for unsigned use,
// no blanks, no trailing text).
std::optional<int64_t> ParseInteger(const std::string& text, int64_t min, int64_t max);
std::optional<uint64_t> ParseUnsigned(const std::string& text);
