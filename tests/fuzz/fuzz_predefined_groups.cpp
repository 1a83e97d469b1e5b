// Feeds arbitrary bytes to the reader of the predefined groups catalogue and checks
// what the dialog relies on: every group has an entry (so none is lost on copy), no
// entry is nameless, and the group names and their nesting survive being written as
// a tree file and read back as a catalogue.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "storage/ViewOptionsFile.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// Group names and nesting only, as the dialog shows them: per group, the sub-group
// shapes of each of its carriers in list order.
struct Shape {
  std::map<std::string, std::vector<Shape>> groups;
  bool operator==(const Shape&) const = default;
};

Shape ShapeOf(const GroupMap& level) {
  Shape shape;
  for (const auto& [name, list] : level) {
    Check(!list.empty());
    std::vector<Shape>& carriers = shape.groups[name];
    for (const AppEntry& entry : list) {
      Check(!entry.Name.empty());
      if (!entry.SubGroups.empty()) carriers.push_back(ShapeOf(entry.SubGroups));
    }
  }
  return shape;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const GroupMap catalogue = ReadPredefinedGroupsText(bytes);
  const Shape shape = ShapeOf(catalogue);
  const GroupMap again = ReadPredefinedGroupsText(ViewOptionsText(catalogue));
  Check(ShapeOf(again) == shape);
  return 0;
}
