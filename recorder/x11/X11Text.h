#pragma once

#include <string>
#include <string_view>

// X11 properties of type STRING are Latin-1.
std::string Latin1ToUtf8(std::string_view latin1);

// WM_CLASS holds two NUL-terminated strings: the instance name and the class name.
struct WindowClass {
  std::string instance;
  std::string className;
};
WindowClass SplitWindowClass(std::string_view property);

// COMPOUND_TEXT, X11's ISO 2022 text of older programs, as valid UTF-8: ASCII and the
// ISO 8859 sets, the Japanese, Chinese and Korean sets, UTF-8 segments and extended
// segments of encodings the C library converts. Controls other than tab and line feed
// are dropped; what cannot be decoded becomes U+FFFD. No locale is involved.
std::string CompoundTextToUtf8(std::string_view text);
