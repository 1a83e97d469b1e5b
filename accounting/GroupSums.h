#pragma once

#include "accounting/Periods.h"
#include "tree/GroupTree.h"

// Sums of the group `path` names in `tree`, its sub-groups included, leaving out
// "None", "Stop" and "Idle". A group that does not exist gives zeros.
PeriodTotals SumGroupTotals(const GroupMap& tree, const GroupPath& path);

// SumGroupTotals over the top-level groups.
PeriodTotals SumAllTotals(const GroupMap& tree);
