#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The user's tree of groups. One level is a GroupMap: group name -> that group's
// entry list, iterated in byte order of the names ("Beta" before "alpha"). Sub-groups
// hang in the SubGroups of a carrier entry. Everything is held by value, so copying a
// map or an entry copies the whole subtree beneath it.

struct AppEntry;
using AppList = std::vector<AppEntry>;
using GroupMap = std::map<std::string, AppList>;
using GroupNode = GroupMap::value_type;
// Names one group from the top level down; the last name is the group meant.
using GroupPath = std::vector<std::string>;

inline const std::string kOtherApplications = "Other Applications";
inline const std::string kNoneName = "None";
inline const std::string kStopName = "Stop";
inline const std::string kIdleName = "Idle";

// The deepest group the editing operations will make (the top level is depth 1).
// Each level costs two markup levels in the saved file, so this keeps every tree the
// program makes well inside what the markup reader accepts.
inline constexpr std::size_t kMaxGroupDepth = 100;

struct AppEntry {
  std::string ShowAs;       // display name; finds the entry within its group
  std::string Name;         // application name as the logs record it
  std::string TitleFilter;  // caption text the title filter looks for
  std::string Path;         // program path as the logs record it
  int32_t TodayTime = 0;    // seconds, recomputed by every load, never stored
  int32_t WeekTime = 0;
  int32_t MonthTime = 0;
  bool isCheckTitleFilter = false;
  GroupMap SubGroups;

  bool operator==(const AppEntry&) const = default;
};

// The invisible first entry of every group the editing operations make.
AppEntry MakePlaceholder();

// Shown as an application: a display name other than "None", "Stop" and "Idle", or
// none at all on an entry that names a program and carries no groups. Such a nameless
// application still counts its time, so it must stay in sight.
bool IsApplicationEntry(const AppEntry& entry);

// The name an application is shown and found under: its display name, or "[program]"
// when it has none.
std::string ShownName(const AppEntry& entry);

// Carries sub-groups.
bool IsCarrier(const AppEntry& entry);

// Entries whose display name is "None", "Stop" or "Idle" add nothing to sums.
bool IsExcludedFromSums(const AppEntry& entry);
