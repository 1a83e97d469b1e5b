#include "host/toolkit/ToolOptions.h"

#include <algorithm>
#include <charconv>
#include <utility>

std::unique_ptr<CLI::App> MakeToolApp(const std::string& name, const std::string& description) {
  auto app = std::make_unique<CLI::App>(description, name);
  app->set_help_flag("--help", "show this text");
  return app;
}

void AddValueOption(CLI::App& app, const std::string& name, std::string& value,
                    const std::string& valueName, const std::string& help) {
  // Given twice is an error, as a second value would silently win.
  app.add_option(name, value, help)
      ->option_text(valueName)
      ->multi_option_policy(CLI::MultiOptionPolicy::Throw);
}

std::optional<int> ParseToolArguments(CLI::App& app, std::vector<std::string> args,
                                      std::ostream& out, std::ostream& err) {
  std::reverse(args.begin(), args.end());  // the parser takes them last first
  try {
    app.parse(args);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return 0;
  } catch (const CLI::ParseError& e) {
    return ToolUsageError(app, err, e.what());
  }
  return std::nullopt;
}

int ToolUsageError(const CLI::App& app, std::ostream& err, const std::string& message) {
  err << app.get_name() << ": " << message << "\n\n" << app.help();
  return 2;
}

bool Given(const CLI::App& app, const std::string& name) { return app.count(name) > 0; }

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
