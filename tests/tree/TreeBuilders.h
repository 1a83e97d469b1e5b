#pragma once

#include <string>
#include <vector>

#include "tree/GroupTree.h"

// Small builders that keep the tree tests readable.

using Names = std::vector<std::string>;

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

inline Names ShowAsOf(const AppList& list) {
  Names shown;
  for (const AppEntry& entry : list) shown.push_back(entry.ShowAs);
  return shown;
}
