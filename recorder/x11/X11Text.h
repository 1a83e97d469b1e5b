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
