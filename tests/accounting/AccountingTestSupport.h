#pragma once

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

#include "accounting/LogFormat.h"
#include "framework/core/CivilTime.h"
#include "framework/core/Clock.h"
#include "tree/GroupTree.h"

// Sets TZ for the life of the object and restores the previous zone.
class TimeZoneGuard {
 public:
  explicit TimeZoneGuard(const char* zone) {
    if (const char* old = std::getenv("TZ")) old_ = old;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~TimeZoneGuard() {
    old_ ? setenv("TZ", old_->c_str(), 1) : unsetenv("TZ");
    tzset();
  }

 private:
  std::optional<std::string> old_;
};

// Fixes the process clock for the life of the object.
class FixedClockGuard {
 public:
  explicit FixedClockGuard(int64_t now) { SetFixedClock(now); }
  ~FixedClockGuard() { SetFixedClock(std::nullopt); }
};

// Local time in seconds, the reference the tests compare with.
inline int64_t LocalTime(int year, int month, int day, int hour = 0, int minute = 0,
                         int second = 0) {
  return LocalToSeconds({year, month, day, hour, minute, second});
}

// An entry with the given fields; the others keep their defaults.
inline AppEntry App(const std::string& showAs, const std::string& name,
                    const std::string& filter = "", bool filterOn = false,
                    const std::string& path = "/usr/bin/app") {
  return {showAs, name, filter, path, 0, 0, 0, filterOn, {}};
}
