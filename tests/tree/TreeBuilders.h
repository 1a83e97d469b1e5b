#pragma once

#include <string>
#include <vector>

#include "tree/GroupTree.h"

// Small builders that keep the tree tests readable.

inline AppEntry App(const std::string& showAs, const std::string& name = "",
                    const std::string& filter = "", bool check = false) {
  AppEntry entry;
  entry.ShowAs = showAs;
  entry.Name = name.empty() ? showAs : name;
  entry.TitleFilter = filter;
  entry.isCheckTitleFilter = check;
  return entry;
}

inline AppEntry Carrier(GroupMap subGroups, const std::string& showAs = "") {
  AppEntry entry;
  entry.ShowAs = showAs;
  entry.SubGroups = std::move(subGroups);
  return entry;
}

inline AppEntry Timed(AppEntry entry, int32_t today, int32_t week, int32_t month) {
  entry.TodayTime = today;
  entry.WeekTime = week;
  entry.MonthTime = month;
  return entry;
}

inline std::vector<std::string> ShowAsOf(const AppList& list) {
  std::vector<std::string> shown;
  for (const AppEntry& entry : list) shown.push_back(entry.ShowAs);
  return shown;
}

inline std::vector<std::string> KeysOf(const GroupMap& level) {
  std::vector<std::string> keys;
  for (const auto& [name, list] : level) keys.push_back(name);
  return keys;
}
