#include "tools/common/ToolOptions.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <utility>

struct ToolApp {
  CLI::App cli;
};

void ToolAppDeleter::operator()(ToolApp* app) const { delete app; }

ToolAppPtr MakeToolApp(const std::string& name, const std::string& description) {
  ToolAppPtr app(new ToolApp{CLI::App(description, name)});
  app->cli.set_help_flag("--help", "show this text");
  return app;
}

void AddValueOption(ToolApp& app, const std::string& name, std::string& value,
                    const std::string& valueName, const std::string& help) {
  // Given twice is an error, as a second value would silently win.
  app.cli.add_option(name, value, help)
      ->option_text(valueName)
      ->multi_option_policy(CLI::MultiOptionPolicy::Throw);
}

void AddFlagOption(ToolApp& app, const std::string& name, bool& value, const std::string& help) {
  app.cli.add_flag(name, value, help);
}

std::string ToolHelp(const ToolApp& app) { return app.cli.help(); }

std::optional<int> ParseToolArguments(ToolApp& app, std::vector<std::string> args,
                                      std::ostream& out, std::ostream& err) {
  std::reverse(args.begin(), args.end());  // the parser takes them last first
  try {
    app.cli.parse(args);
  } catch (const CLI::CallForHelp&) {
    out << app.cli.help();
    return 0;
  } catch (const CLI::ParseError& e) {
    return ToolUsageError(app, err, e.what());
  }
  return std::nullopt;
}

int ToolUsageError(const ToolApp& app, std::ostream& err, const std::string& message) {
  err << app.cli.get_name() << ": " << message << "\n\n" << app.cli.help();
  return 2;
}

bool Given(const ToolApp& app, const std::string& name) { return app.cli.count(name) > 0; }

std::optional<int64_t> ParseInteger(const std::string& text, int64_t min, int64_t max) {
  int64_t value = 0;
  const char* first = text.data();
  const char* last = first + text.size();
  const auto [end, ec] = std::from_chars(first, last, value);
  if (text.empty() || ec != std::errc() || end != last) return std::nullopt;
  if (value < min || value > max) return std::nullopt;
  return value;
}

std::optional<uint64_t> ParseUnsigned(const std::string& text) {
  uint64_t value = 0;
  const char* first = text.data();
  const char* last = first + text.size();
  const auto [end, ec] = std::from_chars(first, last, value);
  if (text.empty() || ec != std::errc() || end != last) return std::nullopt;
  return value;
}
