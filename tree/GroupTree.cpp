#include "tree/GroupTree.h"

AppEntry MakePlaceholder() {
  AppEntry entry;
  entry.Name = kNoneName;
  entry.ShowAs = kNoneName;
  return entry;
}

bool IsApplicationEntry(const AppEntry& entry) {
  return !entry.ShowAs.empty() && !IsExcludedFromSums(entry);
}

bool IsCarrier(const AppEntry& entry) { return !entry.SubGroups.empty(); }

bool IsExcludedFromSums(const AppEntry& entry) {
  const std::string& shown = entry.ShowAs;
  return shown == kNoneName || shown == kStopName || shown == kIdleName;
}
