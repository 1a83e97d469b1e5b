#pragma once

#include <span>

#include "accounting/LogReader.h"
#include "tree/GroupTree.h"

class PeriodCalendar;

// Sets the month, week and today totals of every entry of `tree` from `records` and
// puts applications the tree does not know at the front of "Other Applications".
//
// The result is that of comparing every record with every entry and, after each
// count, writing the counted entry back into every tree entry with the same display
// name, title filter and filter switch. Here the entries are indexed by application
// name, and since such a write-back copies the whole counted entry, only the last one
// per (display name, filter, switch) can be seen afterwards: one walk of the tree at
// the end applies exactly those.
void AggregateActivity(GroupMap& tree, std::span<const RecordLines> records,
                       PeriodCalendar& calendar);
