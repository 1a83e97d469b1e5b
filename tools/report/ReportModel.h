#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "accounting/Periods.h"
#include "tree/GroupTree.h"

class CDLLDocument;

// What a report shows, taken from a loaded document: every group with its sums and
// the applications of its own list, and the sub-groups of its carriers; and, when
// asked for, each item's time on each computer whose logs were read.

struct ReportApplication {
  std::string showAs;
  std::string name;
  std::string path;
  std::string titleFilter;
  bool filterOn = false;
  PeriodTotals totals;                   // the entry's own totals after the load
  std::vector<PeriodTotals> byComputer;  // in the order of Report::computers, when asked for
};

struct ReportGroup {
  std::string name;
  GroupPath path;                               // ancestors' names, then its own
  PeriodTotals totals;                          // the document's sums for `path`
  std::vector<ReportApplication> applications;  // list order
  std::vector<ReportGroup> groups;       // carriers in list order, each one's groups in key order
  std::vector<PeriodTotals> byComputer;  // in the order of Report::computers, when asked for
};

struct ReportComputer {
  std::string name;
  std::string folder;  // where its logs were read, absolute
  bool thisComputer = false;
  std::size_t records = 0;
  PeriodTotals totals;  // over all top-level groups, when asked for
};

struct Report {
  int64_t now = 0;
  std::string dataFolder;  // the folder that was scanned, absolute
  std::size_t records = 0;
  PeriodTotals totals;                    // over all top-level groups
  std::vector<ReportGroup> groups;        // key order
  std::vector<ReportComputer> computers;  // this one first
  bool byComputer = false;                // the items' byComputer and computers' totals are set
};

// `byComputer` adds each item's time per computer: what that computer's logs alone
// give, counted into the same tree.
Report BuildReport(const CDLLDocument& document, int64_t now, bool byComputer = false);

// The period's part of a total.
int64_t PeriodValue(const PeriodTotals& totals, ReportPeriod period);
