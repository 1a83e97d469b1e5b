#include <gtest/gtest.h>

#include <string>

#include "StorageTestSupport.h"
#include "storage/ViewOptionsFile.h"
#include "storage/XmlDoc.h"

namespace {

GroupMap Read(const std::string& text) {
  CXmlDoc doc;
  doc.Parse(text);
  return ReadTree(doc);
}

GroupMap RoundTrip(const GroupMap& tree) { return Read(ViewOptionsText(tree)); }

// One App element with the five fields in the order they are written.
std::string AppXml(const std::string& name, const std::string& showAs, const std::string& check,
                   const std::string& filter, const std::string& path) {
  return "<App><Name>" + name + "</Name><ShowAs>" + showAs + "</ShowAs><isCheckTitleFilter>" +
         check + "</isCheckTitleFilter><TitleFilter>" + filter + "</TitleFilter><Path>" + path +
         "</Path></App>";
}

// Only the first "None" entry of a group gets fields; sub-groups, to the depth limit, come
// back under "None" carriers after the entries.
TEST(ViewOptionsWrite, PlaceholdersAndSubGroupsRoundTrip) {
  GroupMap tree = {{"G", {MakePlaceholder(), Entry("x", "X", "", "doc", true), MakePlaceholder()}}};
  const std::string text = ViewOptionsText(tree);
  EXPECT_EQ(text.find("<Name>None</Name>"), text.rfind("<Name>None</Name>"));
  EXPECT_NE(text.find("</App>\r\n<App/>\r\n</Group>"), std::string::npos);
  EXPECT_EQ(RoundTrip(tree), GroupMap({{"G", {MakePlaceholder(), tree.at("G")[1]}}}));

  const GroupMap alpha = {{"Alpha", {MakePlaceholder()}}};
  const GroupMap beta = {{"Beta", {MakePlaceholder(), Entry("b", "B")}}};
  const AppEntry marked = Entry("a&b", "<E>", "/x>y", "&lt;\"'", true);  // kept as typed
  tree = {{"Work", {MakePlaceholder(), CarrierOf(alpha), marked, CarrierOf(beta, "C")}},
          {"Other Applications", {Entry("o", "O")}}};
  GroupMap expected = {{"Work",
                        {MakePlaceholder(), marked, Entry("C", "C"), CarrierOf(alpha, "None"),
                         CarrierOf(beta, "None")}},
                       {"Other Applications", {Entry("o", "O")}}};
  EXPECT_EQ(RoundTrip(tree), expected);

  // As deep as the editor makes them.
  tree = expected = {{"leaf", {Entry("app", "App")}}};
  for (std::size_t depth = 1; depth < kMaxGroupDepth; ++depth) {
    const std::string name = "g" + std::to_string(depth);
    tree = {{name, {MakePlaceholder(), CarrierOf(tree)}}};
    expected = {{name, {MakePlaceholder(), CarrierOf(expected, "None")}}};
  }
  EXPECT_EQ(RoundTrip(tree), expected);
}

TEST(ViewOptionsRead, ReaderQuirksOfMissingAndEmptyElements) {
  const struct {
    const char* what;
    std::string groups;  // inside the root
    GroupMap expected;
  } cases[] = {
      {"missing ShowAs takes the Name",
       "<Group><Name>G</Name><App><Name>n</Name><isCheckTitleFilter>0</isCheckTitleFilter>"
       "<TitleFilter/><Path>p</Path></App></Group>",
       {{"G", {Entry("n", "n", "p")}}}},
      {"missing TitleFilter takes the flag's text",
       "<Group><Name>G</Name><App><Name>n</Name><ShowAs>s</ShowAs>"
       "<isCheckTitleFilter>1</isCheckTitleFilter><Path>p</Path></App></Group>",
       {{"G", {Entry("n", "s", "p", "1", true)}}}},
      {"first App without Name takes the group's name",
       "<Group><Name>G</Name><App><ShowAs>s</ShowAs></App>"
       "<App><ShowAs>t</ShowAs></App></Group>",
       {{"G", {Entry("G", "s", "s", "s")}}}},
      {"App without Name is dropped",
       "<Group><Name>G</Name>" + AppXml("a", "A", "0", "", "") + "<App><Name/></App></Group>",
       {{"G", {Entry("a", "A")}}}},
      {"group without App gets one empty entry",
       "<Group><Name>G</Name></Group>",
       {{"G", {AppEntry{}}}}},
      {"group without Name ends its level",
       "<Group><Name>A</Name></Group><Group>" + AppXml("x", "X", "0", "", "") +
           "</Group><Group><Name>C</Name></Group>",
       {{"A", {AppEntry{}}}}},
      {"empty group name reuses the previous one and replaces its entries",
       "<Group><Name>A</Name>" + AppXml("a", "A", "0", "", "") + "</Group><Group><Name/>" +
           AppXml("b", "B", "0", "", "") + "</Group>",
       {{"A", {Entry("b", "B")}}}},
      {"empty group name without entries adds an entry to the previous group",
       "<Group><Name>A</Name>" + AppXml("a", "A", "0", "", "") + "</Group><Group><Name/></Group>",
       {{"A", {Entry("a", "A"), AppEntry{}}}}},
      {"first group with an empty name takes the empty name",
       "<Group><Name></Name></Group>",
       {{"", {AppEntry{}}}}},
      {"sub-groups of a group without entries are dropped",
       "<Group><Name>G</Name><Options><Group><Name>S</Name></Group></Options></Group>",
       {{"G", {AppEntry{}}}}},
      {"nested containers must be named Options",
       "<Group><Name>G</Name>" + AppXml("a", "A", "0", "", "") +
           "<Opts><Group><Name>S</Name></Group></Opts></Group>",
       {{"G", {Entry("a", "A")}}}},
      {"fields are looked for in order only",
       "<Group><Name>G</Name><App><ShowAs>s</ShowAs><Name>n</Name></App></Group>",
       {{"G", {Entry("n", "n", "n", "n")}}}},
      {"the flag is a leading decimal number other than 0",
       "<Group><Name>G</Name>" + AppXml("a", "A", " 2x", "", "") + AppXml("b", "B", "abc", "", "") +
           AppXml("c", "C", "-1", "", "") + "</Group>",
       {{"G", {Entry("a", "A", "", "", true), Entry("b", "B"), Entry("c", "C", "", "", true)}}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Read("<Options>" + c.groups + "</Options>"), c.expected) << c.what;
    // The root's name does not matter.
    EXPECT_EQ(Read("<Root>" + c.groups + "</Root>"), c.expected) << c.what;
  }
}

}  // namespace
