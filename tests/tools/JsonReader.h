#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A small strict JSON reader for checking the tools' output: whole numbers only (all
// the reports write) and no \u escapes (the writer makes them only for control
// characters, which the checked reports do not hold); it throws std::runtime_error on
// anything else.
struct JsonValue {
  enum class Kind { Null, Bool, Number, String, Array, Object };
  Kind kind = Kind::Null;
  bool boolean = false;
  int64_t number = 0;
  std::string text;
  std::vector<JsonValue> items;
  std::vector<std::pair<std::string, JsonValue>> members;  // in document order

  // The member `key`; throws when this is not an object or has no such member.
  const JsonValue& operator[](const std::string& key) const;
  std::vector<std::string> Keys() const;
};

JsonValue ParseJson(const std::string& text);
