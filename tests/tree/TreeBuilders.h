#pragma once

#include <string>
#include <vector>

#include "tree/GroupTree.h"

// Small builders that keep the tree tests readable.

using Names = std::vector<std::string>;

inline AppEntry App(const std::string& showAs, const std::string& name = "",
                    const std::string& filter = "", bool check = false) {
  return {showAs, name.empty() ? showAs : name, filter, "", 0, 0, 0, check, {}};
}

inline AppEntry Carrier(GroupMap subGroups, const std::string& showAs = "") {
  return {showAs, "", "", "", 0, 0, 0, false, std::move(subGroups)};
}

inline Names ShowAsOf(const AppList& list) {
  Names shown;
  for (const AppEntry& entry : list) shown.push_back(entry.ShowAs);
  return shown;
}
