#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Writes indented JSON into a string. Text values and keys are made well-formed
// UTF-8 first; the caller is trusted to nest Begin/End and Key/value correctly.
class JsonWriter {
 public:
  explicit JsonWriter(std::string& out) : out_(out) {}

  void BeginObject() { Open('{', true); }
  void EndObject() { Close('}'); }
  void BeginArray() { Open('[', false); }
  void EndArray() { Close(']'); }

  void Key(std::string_view key);
  void String(std::string_view value);
  void Number(int64_t value);
  void Bool(bool value);

 private:
  struct Level {
    bool isObject = false;
    bool empty = true;
  };

  void Open(char bracket, bool isObject);
  void Close(char bracket);
  void BeforeValue();
  void NewLine();

  std::string& out_;
  std::vector<Level> levels_;
  bool afterKey_ = false;
};

// A JSON string literal (quotes included) for `text`, after UTF-8 sanitising.
std::string JsonQuote(std::string_view text);
