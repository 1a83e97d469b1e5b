#pragma once

#include <string_view>

// Window messages known by name, shared by every module of the process. The same name
// always gives the same number; numbers start at 0xC000 so they never collide with the
// fixed window messages. An empty name gives 0, as a failed registration does.

constexpr unsigned kFirstRegisteredMessage = 0xC000;
constexpr unsigned kLastRegisteredMessage = 0xFFFF;

unsigned RegisterWindowMessageA(std::string_view name);
inline unsigned RegisterWindowMessage(std::string_view name) {
  return RegisterWindowMessageA(name);
}
