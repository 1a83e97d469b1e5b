#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "accounting/Periods.h"
#include "tree/GroupTree.h"

class CDLLDocument;

// What a report shows, taken from a loaded document: every group with its sums and
// the applications of its own list, and the sub-groups of its carriers.

struct ReportApplication {
  std::string showAs;
  std::string name;
  std::string path;
  std::string titleFilter;
  bool filterOn = false;
  PeriodTotals totals;  // the entry's own totals after the load
};

struct ReportGroup {
  std::string name;
  GroupPath path;                               // ancestors' names, then its own
  PeriodTotals totals;                          // the document's sums for `path`
  std::vector<ReportApplication> applications;  // list order
  std::vector<ReportGroup> groups;  // carriers in list order, each one's groups in key order
};

struct Report {
  int64_t now = 0;
  std::string dataFolder;  // the folder that was scanned, absolute
  std::size_t records = 0;
  PeriodTotals totals;              // over all top-level groups
  std::vector<ReportGroup> groups;  // key order
};

Report BuildReport(const CDLLDocument& document, int64_t now);

// The period's part of a total.
int64_t PeriodValue(const PeriodTotals& totals, ReportPeriod period);
