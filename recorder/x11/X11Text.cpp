#include "recorder/x11/X11Text.h"

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <map>

#include "recorder/ActivityBlock.h"

namespace {

constexpr char kEscape = '\x1B';
constexpr unsigned char kControlSequence = 0x9B;
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
constexpr const char* kAscii = "";
constexpr const char* kUnknown = "?";

// A character set in force, as the C library's converter knows it.
struct CharacterSet {
  std::string encoding;     // kAscii, kUnknown, or a name for iconv
  bool setHighBit = false;  // GL bytes of a set that the converter knows in its GR form

  bool operator==(const CharacterSet&) const = default;
};

std::string Convert(const std::string& encoding, std::string_view bytes) {
  if (encoding == kAscii) return std::string(bytes);
  if (encoding == "UTF-8") return ValidUtf8(bytes);
  if (encoding == kUnknown) return std::string(kReplacement);
  const iconv_t converter = ::iconv_open("UTF-8", encoding.c_str());
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::string(kReplacement);
  std::string in(bytes);
  std::string out;
  char* next = in.data();
  size_t left = in.size();
  while (left > 0) {
    char buffer[256];
    char* into = buffer;
    size_t room = sizeof buffer;
    const size_t result = ::iconv(converter, &next, &left, &into, &room);
    out.append(buffer, static_cast<size_t>(into - buffer));
    if (result == static_cast<size_t>(-1) && errno != E2BIG) {
      out += kReplacement;  // a byte the set does not have, or a character cut off
      ++next;
      --left;
    }
  }
  ::iconv_close(converter);
  return out;
}

CharacterSet Set94(char final, bool right) {
  if (final == 'B' || final == 'J') return {right ? kUnknown : kAscii};  // J: JIS Roman
  if (final == 'I') return {"SHIFT_JIS", !right};                        // half-width katakana
  return {kUnknown};
}

CharacterSet Set94x94(char final, bool right) {
  static const std::map<char, std::string> kSets{{'A', "EUC-CN"}, {'B', "EUC-JP"}, {'C', "EUC-KR"}};
  const auto it = kSets.find(final);
  return it == kSets.end() ? CharacterSet{kUnknown} : CharacterSet{it->second, !right};
}

CharacterSet Set96(char final) {
  static const std::map<char, std::string> kSets{
      {'A', "ISO-8859-1"},  {'B', "ISO-8859-2"},  {'C', "ISO-8859-3"},  {'D', "ISO-8859-4"},
      {'F', "ISO-8859-7"},  {'G', "ISO-8859-6"},  {'H', "ISO-8859-8"},  {'L', "ISO-8859-5"},
      {'M', "ISO-8859-9"},  {'T', "TIS-620"},     {'V', "ISO-8859-10"}, {'Y', "ISO-8859-13"},
      {'_', "ISO-8859-14"}, {'b', "ISO-8859-15"}, {'f', "ISO-8859-16"}};
  const auto it = kSets.find(final);
  return {it == kSets.end() ? kUnknown : it->second};
}

// An extended segment names its encoding ("big5-0", "iso8859-14") before an STX.
std::string ExtendedSegment(std::string_view body) {
  const size_t stx = body.find('\x02');
  if (stx == std::string_view::npos || stx == 0) return std::string(kReplacement);
  std::string name(body.substr(0, stx));
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  if (name == "ISO10646-1") name = "UTF-8";
  if (name.size() > 2 && name.ends_with("-0")) name.resize(name.size() - 2);
  return Convert(name, body.substr(stx + 1));
}

// Reads the text in its sets, one run of bytes of the same set at a time.
class CompoundTextDecoder {
 public:
  explicit CompoundTextDecoder(std::string_view text) : text_(text) {}

  std::string Decode() {
    while (at_ < text_.size()) {
      const auto byte = static_cast<unsigned char>(text_[at_]);
      if (byte == kEscape) {
        Flush();
        Escape();
      } else if (byte == kControlSequence) {
        SkipControlSequence();  // only the direction of the text, which a line has not
      } else if (byte == '\t' || byte == '\n' || byte == ' ') {
        Add({kAscii}, text_[at_++]);
      } else if (byte < 0x20 || (byte >= 0x7F && byte < 0xA0)) {
        ++at_;  // other controls, NUL among them, have no place in a caption
      } else {
        const CharacterSet& set = byte < 0x80 ? left_ : right_;
        Add(set, static_cast<char>(set.setHighBit ? byte | 0x80 : byte));
        ++at_;
      }
    }
    Flush();
    return out_;
  }

 private:
  void Add(const CharacterSet& set, char byte) {
    if (!(set == runSet_)) {
      Flush();
      runSet_ = set;
    }
    run_ += byte;
  }

  void Flush() {
    if (!run_.empty()) out_ += Convert(runSet_.encoding, run_);
    run_.clear();
  }

  // ESC, intermediate bytes, a final byte: a designation, or a segment of its own.
  void Escape() {
    size_t end = at_ + 1;
    while (end < text_.size() && text_[end] >= 0x20 && text_[end] <= 0x2F) ++end;
    if (end >= text_.size()) {
      at_ = text_.size();  // cut off
      return;
    }
    const std::string_view middle = text_.substr(at_ + 1, end - at_ - 1);
    const char final = text_[end];
    at_ = end + 1;
    if (middle == "(") left_ = Set94(final, false);
    if (middle == ")") right_ = Set94(final, true);
    if (middle == "-") right_ = Set96(final);
    if (middle == "$(" || middle == "$") left_ = Set94x94(final, false);
    if (middle == "$)") right_ = Set94x94(final, true);
    if (middle == "%" && final == 'G') Utf8Segment();
    if (middle == "%/") Extended();
  }

  void Utf8Segment() {
    const size_t end = std::min(text_.find("\x1B%@", at_), text_.size());
    out_ += ValidUtf8(text_.substr(at_, end - at_));
    at_ = std::min(end + 3, text_.size());
  }

  void Extended() {
    if (at_ + 2 > text_.size()) {
      at_ = text_.size();
      return;
    }
    const size_t length = (static_cast<size_t>(text_[at_] & 0x7F) << 7) | (text_[at_ + 1] & 0x7F);
    const std::string_view body = text_.substr(at_ + 2, length);
    out_ += ExtendedSegment(body);
    at_ += 2 + body.size();
  }

  void SkipControlSequence() {
    ++at_;
    while (at_ < text_.size() && text_[at_] >= 0x20 && text_[at_] <= 0x3F) ++at_;
    if (at_ < text_.size()) ++at_;
  }

  std::string_view text_;
  size_t at_ = 0;
  CharacterSet left_{kAscii};
  CharacterSet right_{"ISO-8859-1"};
  CharacterSet runSet_{kAscii};
  std::string run_;
  std::string out_;
};

}  // namespace

std::string Latin1ToUtf8(std::string_view latin1) {
  std::string utf8;
  utf8.reserve(latin1.size());
  for (char c : latin1) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      utf8 += c;
    } else {
      utf8 += static_cast<char>(0xC0 | (byte >> 6));
      utf8 += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return utf8;
}

WindowClass SplitWindowClass(std::string_view property) {
  WindowClass result;
  const size_t end = property.find('\0');
  result.instance = std::string(property.substr(0, end));
  if (end == std::string_view::npos) return result;
  const std::string_view rest = property.substr(end + 1);
  result.className = std::string(rest.substr(0, rest.find('\0')));
  return result;
}

std::string CompoundTextToUtf8(std::string_view text) { return CompoundTextDecoder(text).Decode(); }
