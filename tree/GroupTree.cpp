#include "tree/GroupTree.h"

AppEntry MakePlaceholder() {
  AppEntry entry;
  entry.Name = kNoneName;
  entry.ShowAs = kNoneName;
  return entry;
}

bool IsApplicationEntry(const AppEntry& entry) {
  if (entry.ShowAs.empty()) {
    // A placeholder's program name, and a carrier, make no application.
    return !entry.Name.empty() && entry.Name != kNoneName && !IsCarrier(entry);
  }
  return !IsExcludedFromSums(entry);
}

std::string ShownName(const AppEntry& entry) {
  return entry.ShowAs.empty() ? "[" + entry.Name + "]" : entry.ShowAs;
}

bool IsCarrier(const AppEntry& entry) { return !entry.SubGroups.empty(); }

bool IsExcludedFromSums(const AppEntry& entry) {
  const std::string& shown = entry.ShowAs;
  return shown == kNoneName || shown == kStopName || shown == kIdleName;
}
