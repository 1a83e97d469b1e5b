#pragma once

#include <string>

#include "tree/GroupTree.h"

// An entry with the given fields; the others keep their defaults.
inline AppEntry Entry(const std::string& name, const std::string& showAs,
                      const std::string& path = "", const std::string& filter = "",
                      bool check = false) {
  AppEntry entry;
  entry.Name = name;
  entry.ShowAs = showAs;
  entry.Path = path;
  entry.TitleFilter = filter;
  entry.isCheckTitleFilter = check;
  return entry;
}

// An entry whose name and display name are `text`, carrying the given sub-groups.
inline AppEntry CarrierOf(GroupMap subGroups, const std::string& text = "") {
  AppEntry entry = Entry(text, text);
  entry.SubGroups = std::move(subGroups);
  return entry;
}
