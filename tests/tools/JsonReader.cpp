#include "JsonReader.h"

#include <cstring>
#include <stdexcept>

namespace {

class Parser {
 public:
  explicit Parser(const std::string& text) : s_(text) {}

  JsonValue Document() {
    JsonValue value = Value();
    if (Peek(false) != '\0') Fail("text after the value");
    return value;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw std::runtime_error("json: " + what + " at offset " + std::to_string(pos_));
  }
  // The next character after blanks; '\0' at the end unless the end is an error.
  char Peek(bool needed = true) {
    while (pos_ < s_.size() && std::strchr(" \n\r\t", s_[pos_]) != nullptr) ++pos_;
    if (pos_ < s_.size()) return s_[pos_];
    if (needed) Fail("unexpected end");
    return '\0';
  }
  void Expect(char c) {
    if (Peek() != c) Fail(std::string("expected '") + c + "'");
    ++pos_;
  }
  bool Literal(const std::string& word) {
    if (s_.compare(pos_, word.size(), word) != 0) return false;
    pos_ += word.size();
    return true;
  }
  bool IsDigit(size_t at) const { return at < s_.size() && s_[at] >= '0' && s_[at] <= '9'; }

  JsonValue Value() {
    const char c = Peek();
    JsonValue v;
    if (c == '{' || c == '[') {
      v.kind = c == '{' ? JsonValue::Kind::Object : JsonValue::Kind::Array;
      Members(v, c == '{' ? '}' : ']');
    } else if (c == '"') {
      v.kind = JsonValue::Kind::String;
      v.text = String();
    } else if (c == '-' || IsDigit(pos_)) {
      v.kind = JsonValue::Kind::Number;
      v.number = Number();
    } else if (Literal("true") || Literal("false")) {
      v.kind = JsonValue::Kind::Bool;
      v.boolean = s_.compare(pos_ - 4, 4, "true") == 0;
    } else if (!Literal("null")) {
      Fail("unexpected character");
    }
    return v;
  }

  void Members(JsonValue& v, char close) {
    ++pos_;
    if (Peek() == close) {
      ++pos_;
      return;
    }
    for (;;) {
      if (close == '}') {
        if (Peek() != '"') Fail("expected a key");
        std::string key = String();
        Expect(':');
        v.members.emplace_back(std::move(key), Value());
      } else {
        v.items.push_back(Value());
      }
      if (Peek() != ',') break;
      ++pos_;
    }
    Expect(close);
  }

  int64_t Number() {
    const size_t start = pos_;
    if (s_[pos_] == '-') ++pos_;
    if (!IsDigit(pos_)) Fail("bad number");
    if (s_[pos_] == '0' && IsDigit(pos_ + 1)) Fail("leading zero");
    while (IsDigit(pos_)) ++pos_;
    if (pos_ < s_.size() && std::strchr(".eE", s_[pos_]) != nullptr) Fail("not a whole number");
    return std::stoll(s_.substr(start, pos_ - start));
  }

  std::string String() {
    static const std::string kEscaped = "\"\\/bfnrt", kMeaning = "\"\\/\b\f\n\r\t";
    ++pos_;  // opening quote
    std::string out;
    for (;;) {
      if (pos_ >= s_.size()) Fail("unterminated string");
      const char c = s_[pos_++];
      if (c == '"') return out;
      if (static_cast<unsigned char>(c) < 0x20) Fail("raw control character in string");
      if (c != '\\') {
        out += c;
      } else if (pos_ < s_.size() && kEscaped.find(s_[pos_]) != std::string::npos) {
        out += kMeaning[kEscaped.find(s_[pos_++])];
      } else {
        Fail("bad escape");
      }
    }
  }

  const std::string& s_;
  size_t pos_ = 0;
};

}  // namespace

const JsonValue& JsonValue::operator[](const std::string& key) const {
  if (kind != Kind::Object) throw std::runtime_error("json: not an object (key " + key + ")");
  for (const auto& [name, value] : members) {
    if (name == key) return value;
  }
  throw std::runtime_error("json: no member " + key);
}

std::vector<std::string> JsonValue::Keys() const {
  std::vector<std::string> keys;
  for (const auto& member : members) keys.push_back(member.first);
  return keys;
}

JsonValue ParseJson(const std::string& text) { return Parser(text).Document(); }
