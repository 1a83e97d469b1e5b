#pragma once

#include <memory>
#include <string>
#include <vector>

#include "accounting/ActivityRecord.h"
#include "accounting/ComputerLogs.h"
#include "accounting/LogReader.h"
#include "accounting/Periods.h"
#include "framework/core/Document.h"
#include "framework/core/Paths.h"
#include "storage/FileProblem.h"
#include "storage/MainPrefs.h"
#include "tree/GroupTree.h"

class ViewOptionsFile;

// The one document of the module: the group tree, the preferences and the activity
// records of the last scan, with the totals the aggregation puts on the tree.
class CDLLDocument : public CDocument {
  TM_DECLARE_DYNCREATE(CDLLDocument)

 public:
  // Its folders are those of the executable directory, resolved now.
  CDLLDocument();
  ~CDLLDocument() override;

  // Makes `folder` the home that holds "options" (the tools' --home); relative to
  // the current directory.
  void SetHomeFolder(const std::string& folder);
  const HomeFolders& GetFolders() const { return m_folders; }

  bool OnNewDocument() override;
  void OnCloseDocument() override;
  bool CanCloseFrame() override;

  // Tree from "options/viewopt.xml", scan, aggregation, tree written back. Also the
  // refresh. A missing tree file is created empty and the load ends there.
  void LoadDocument();
  // Reads the recent logs of the data folder, and those of the user's other computers
  // in the computers folder, into the record list, then aggregates.
  void ScanActivityLogs();
  // Sets the three totals of every entry from the record list and places new
  // applications at the front of "Other Applications".
  void AggregateRecords();

  // "options/mainpref.ini" into the preferences, then the autostart entry follows
  // LoadOnStartup. The module's path.
  void LoadPrefs();
  // The same without touching the autostart entry (tools). False when unreadable.
  bool ReadPrefs();
  MainPrefs GetPrefs() const { return m_prefs; }

  // What the last read of the preferences, and the last load or save of the tree,
  // found wrong with their files; code None when nothing.
  FileProblem GetPrefsFileProblem() const;
  FileProblem GetTreeFileProblem() const;

  // Sums of the group `path` names, its sub-groups included, leaving out "None",
  // "Stop" and "Idle". A group that does not exist gives zeros; nothing is added.
  PeriodTotals GetGroupTotals(const GroupPath& path) const;
  // Sum of GetGroupTotals over the top-level groups.
  PeriodTotals GetAllTotals() const;

  GroupMap& GetGroupMap() { return m_groupMap; }
  const GroupMap& GetGroupMap() const { return m_groupMap; }
  // The records of the last scan, in log order, copied out when first asked for.
  const std::vector<ActivityRecord>& GetRecords() const;
  // Their number, without copying them.
  size_t GetRecordCount() const { return m_log.Records().size(); }

  // Wrong passwords given at the view's lock while the document is open. The host opens
  // it once per run, so the count lasts the run; a test's fresh document starts at 0.
  int& FailedUnlocks() { return m_failedUnlocks; }

  // Writes the whole tree to "options/viewopt.xml"; false when it cannot be written.
  bool SaveGroupMap();

  // Absolute path (ending with '/') of the folder the last scan read; empty before.
  const std::string& GetScannedFolder() const { return m_scannedFolder; }

  // The computers whose logs the last scan read: this one first, then the others.
  const std::vector<ComputerLogSource>& GetComputers() const { return m_computers; }
  // How many of the records came from computer `index` of GetComputers().
  size_t GetRecordCount(size_t computer) const;
  // Other computers' folders the last scan could not or would not read.
  const std::vector<SkippedComputerFolder>& GetSkippedComputers() const { return m_skipped; }
  // The group tree as the records of computer `index` alone fill it at the last scan:
  // the groups and entries of GetGroupMap(), with that computer's totals.
  GroupMap GetComputerTree(size_t computer) const;

 private:
  ViewOptionsFile& TreeFile();

  HomeFolders m_folders;
  GroupMap m_groupMap;
  MainPrefs m_prefs;
  OpenStatus m_prefsStatus = OpenStatus::Missing;
  // The scan keeps the log bytes with the records as views into them; the copies
  // GetRecords hands out are made when first asked for, since a load needs none.
  ActivityLog m_log;
  mutable std::vector<ActivityRecord> m_records;
  mutable bool m_recordsCopied = false;
  std::string m_scannedFolder;
  std::vector<ComputerLogSource> m_computers;
  std::vector<SkippedComputerFolder> m_skipped;
  int64_t m_scanTime = 0;  // the "now" of the last scan's periods
  int m_failedUnlocks = 0;
  std::unique_ptr<ViewOptionsFile> m_treeFile;
};
