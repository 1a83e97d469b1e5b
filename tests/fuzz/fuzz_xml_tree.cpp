// Parses arbitrary bytes as a tree file, reads the tree both ways (the user's tree and
// the catalogue), writes it back and checks that what is written always parses and
// reads back as the same text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "storage/ViewOptionsFile.h"
#include "storage/XmlDoc.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void RoundTrip(const GroupMap& tree) {
  const std::string text = ViewOptionsText(tree);
  CXmlDoc again;
  Check(again.Parse(text));
  // What the writer makes is stable: written again after a read, it is the same text.
  const std::string second = ViewOptionsText(ReadTree(again));
  CXmlDoc third;
  Check(third.Parse(second));
  Check(ViewOptionsText(ReadTree(third)) == second);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string text = JoinLines(bytes);
  for (const bool placeholder : {false, true}) {
    CXmlDoc doc;
    const bool parsed = doc.Parse(text);
    Check(parsed || text.empty() || !doc.GetParseError().empty());
    const GroupMap tree = ReadTree(doc, placeholder);
    Check(parsed || tree.empty());
    RoundTrip(tree);
  }
  // The raw bytes too: line ends inside the markup are white space.
  CXmlDoc raw;
  raw.Parse(bytes);
  RoundTrip(ReadTree(raw));
  return 0;
}
