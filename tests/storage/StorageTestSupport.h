#pragma once

#include <string>

#include "tree/GroupTree.h"

// An entry with the given fields; the others keep their defaults.
inline AppEntry Entry(const std::string& name, const std::string& showAs,
                      const std::string& path = "", const std::string& filter = "",
                      bool check = false) {
  return {showAs, name, filter, path, 0, 0, 0, check, {}};
}

// An entry whose name and display name are `text`, carrying the given sub-groups.
inline AppEntry CarrierOf(GroupMap subGroups, const std::string& text = "") {
  return {text, text, "", "", 0, 0, 0, false, std::move(subGroups)};
}
