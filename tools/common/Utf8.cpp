#include "tools/common/Utf8.h"

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

bool IsContinuation(unsigned char byte, unsigned char low = 0x80, unsigned char high = 0xBF) {
  return byte >= low && byte <= high;
}

// Length of the well-formed sequence at `pos`, or 0 with `bad` set to the length of
// its maximal ill-formed prefix (at least 1).
std::size_t SequenceLength(std::string_view s, std::size_t pos, std::size_t& bad) {
  const auto lead = static_cast<unsigned char>(s[pos]);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    bad = 1;
    return 0;
  }
  for (std::size_t i = 1; i < length; ++i) {
    const bool second = i == 1;
    if (pos + i >= s.size() || !IsContinuation(static_cast<unsigned char>(s[pos + i]),
                                               second ? low : 0x80, second ? high : 0xBF)) {
      bad = i;
      return 0;
    }
  }
  return length;
}

}  // namespace

std::string SanitizeUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t bad = 0;
    const std::size_t length = SequenceLength(bytes, pos, bad);
    if (length == 0) {
      out += kReplacement;
      pos += bad;
    } else {
      out.append(bytes.substr(pos, length));
      pos += length;
    }
  }
  return out;
}

std::size_t CodePointCount(std::string_view utf8) {
  std::size_t count = 0;
  for (const char c : utf8) {
    if (!IsContinuation(static_cast<unsigned char>(c))) ++count;
  }
  return count;
}
