#include "accounting/DLLDocument.h"

#include "accounting/Aggregation.h"
#include "accounting/GroupSums.h"
#include "accounting/LogReader.h"
#include "accounting/PeriodCalendar.h"
#include "framework/core/Clock.h"
#include "framework/core/CurrentDirectory.h"
#include "framework/core/LogFileFinder.h"
#include "storage/ViewOptionsFile.h"
#include "tree/TreeOps.h"

TM_IMPLEMENT_DYNCREATE(CDLLDocument, CDocument)

CDLLDocument::CDLLDocument() : m_folders(ResolveHomeFolders(GetExecutableDirectory())) {}

CDLLDocument::~CDLLDocument() = default;

void CDLLDocument::SetHomeFolder(const std::string& folder) {
  m_folders = ResolveHomeFolders(folder);
}

bool CDLLDocument::OnNewDocument() {
  if (!CDocument::OnNewDocument()) return false;
  LoadDocument();
  SetTitle("");
  return true;
}

void CDLLDocument::OnCloseDocument() { CDocument::OnCloseDocument(); }

bool CDLLDocument::CanCloseFrame() { return CDocument::CanCloseFrame(); }

ViewOptionsFile& CDLLDocument::TreeFile() {
  // One file object per path, so that a damaged file it found is kept aside before
  // the save that replaces it.
  const std::string path = GetViewOptionsPath(m_folders.options);
  if (!m_treeFile || m_treeFile->Path() != path) {
    m_treeFile = std::make_unique<ViewOptionsFile>(path);
  }
  return *m_treeFile;
}

void CDLLDocument::LoadDocument() {
  ViewOptionsFile& file = TreeFile();
  GroupMap tree;
  // A missing file is created empty and the load ends, keeping the previous tree,
  // records and totals; one that exists but cannot be opened is left alone likewise.
  if (file.Load(tree) != TreeFileStatus::Read) return;
  m_groupMap = std::move(tree);
  ScanActivityLogs();
  // A tree that comes out as it was read leaves the file alone.
  file.SaveIfChanged(m_groupMap);
}

void CDLLDocument::ScanActivityLogs() {
  m_scannedFolder = m_folders.DataFolder(m_prefs.DbPath);
  // The scan has always left the data folder current; nothing here needs it.
  SetCurrentDirectory(m_scannedFolder);
  m_scanTime = ClockNow();
  ComputerLogFiles found = FindComputerLogs(m_scannedFolder, GetComputersFolder(), m_scanTime);
  m_log = ReadActivityLog(found.files);
  m_computers = std::move(found.computers);
  m_skipped = std::move(found.skipped);
  m_records.clear();
  m_recordsCopied = false;
  AggregateRecords();
}

void CDLLDocument::AggregateRecords() {
  PeriodCalendar calendar(m_scanTime);
  AggregateActivity(m_groupMap, m_log.Records(), calendar);
}

size_t CDLLDocument::GetRecordCount(size_t computer) const {
  return m_log.RecordsOf(static_cast<uint32_t>(computer)).size();
}

GroupMap CDLLDocument::GetComputerTree(size_t computer) const {
  // The tree already holds every application of every computer, so the count adds
  // none: the copy keeps the shape of the tree. The count adds to the totals it finds,
  // which are those of all computers until they are reset.
  GroupMap tree = m_groupMap;
  ResetTimes(tree);
  PeriodCalendar calendar(m_scanTime);
  AggregateActivity(tree, m_log.RecordsOf(static_cast<uint32_t>(computer)), calendar);
  return tree;
}

const std::vector<ActivityRecord>& CDLLDocument::GetRecords() const {
  if (!m_recordsCopied) {
    m_records = m_log.CopyRecords();
    m_recordsCopied = true;
  }
  return m_records;
}

void CDLLDocument::LoadPrefs() {
  m_prefsStatus = LoadMainPrefsWithAutostart(GetMainPrefsPath(m_folders.options), m_prefs);
}

bool CDLLDocument::ReadPrefs() {
  m_prefsStatus = ReadMainPrefsFile(GetMainPrefsPath(m_folders.options), m_prefs);
  return m_prefsStatus == OpenStatus::Opened;
}

FileProblem CDLLDocument::GetPrefsFileProblem() const {
  // A missing file is a home not set up yet: the initial values are what it would hold.
  if (m_prefsStatus != OpenStatus::Unreadable) return {};
  return {
      FileProblemCode::Unreadable, OptionsFile::Settings, GetMainPrefsPath(m_folders.options), {}};
}

FileProblem CDLLDocument::GetTreeFileProblem() const {
  return m_treeFile ? m_treeFile->Problem() : FileProblem{};
}

PeriodTotals CDLLDocument::GetGroupTotals(const GroupPath& path) const {
  return SumGroupTotals(m_groupMap, path);
}

PeriodTotals CDLLDocument::GetAllTotals() const { return SumAllTotals(m_groupMap); }

bool CDLLDocument::SaveGroupMap() { return TreeFile().Save(m_groupMap); }
