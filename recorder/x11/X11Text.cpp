#include "recorder/x11/X11Text.h"

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
