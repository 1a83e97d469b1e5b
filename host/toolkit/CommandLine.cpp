#include "host/toolkit/CommandLine.h"

#include <utility>

CommandLine::CommandLine(std::vector<OptionSpec> specs) : specs_(std::move(specs)) {}

const OptionSpec* CommandLine::Find(const std::string& name) const {
  for (const OptionSpec& spec : specs_) {
    if (spec.name == name) return &spec;
  }
  return nullptr;
}

bool CommandLine::Fail(std::string message) {
  error_ = std::move(message);
  return false;
}

bool CommandLine::Parse(const std::vector<std::string>& args) {
  values_.clear();
  error_.clear();
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
      return Fail("unexpected argument '" + arg + "'");
    }
    std::string name = arg.substr(2);
    std::optional<std::string> inlineValue;
    if (const size_t eq = name.find('='); eq != std::string::npos) {
      inlineValue = name.substr(eq + 1);
      name.resize(eq);
    }
    const OptionSpec* spec = Find(name);
    if (spec == nullptr) return Fail("unknown option '--" + name + "'");
    if (Has(name)) return Fail("option '--" + name + "' given twice");
    if (!spec->takesValue) {
      if (inlineValue) return Fail("option '--" + name + "' takes no value");
      values_[name] = "";
      continue;
    }
    if (inlineValue) {
      values_[name] = *inlineValue;
    } else if (i + 1 < args.size()) {
      values_[name] = args[++i];
    } else {
      return Fail("option '--" + name + "' needs a value");
    }
  }
  return true;
}

std::optional<std::string> CommandLine::Value(const std::string& name) const {
  const auto it = values_.find(name);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}
