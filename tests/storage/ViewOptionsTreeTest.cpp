#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

#include "StorageTestSupport.h"
#include "storage/ViewOptionsFile.h"
#include "storage/XmlDoc.h"

namespace {

GroupMap Read(const std::string& text, bool placeholder = false) {
  CXmlDoc doc;
  doc.Parse(text);
  return ReadTree(doc, placeholder);
}

GroupMap RoundTrip(const GroupMap& tree) { return Read(ViewOptionsText(tree)); }

// One App element with the five fields in the order they are written.
std::string AppXml(const std::string& name, const std::string& showAs, const std::string& check,
                   const std::string& filter, const std::string& path) {
  return "<App><Name>" + name + "</Name><ShowAs>" + showAs + "</ShowAs><isCheckTitleFilter>" +
         check + "</isCheckTitleFilter><TitleFilter>" + filter + "</TitleFilter><Path>" + path +
         "</Path></App>";
}

TEST(ViewOptionsWrite, WorkTreeIsByteExact) {
  const GroupMap tree = {{"Work", {Entry("editor.exe", "Editor", "/usr/bin/editor")}}};
  EXPECT_EQ(ViewOptionsText(tree),
            "<Options>\r\n<Group>\r\n<Name>Work</Name>\r\n<App>\r\n<Name>editor.exe</Name>\r\n"
            "<ShowAs>Editor</ShowAs>\r\n<isCheckTitleFilter>0</isCheckTitleFilter>\r\n"
            "<TitleFilter/>\r\n<Path>/usr/bin/editor</Path>\r\n</App>\r\n</Group>\r\n"
            "</Options>\r\n");
  EXPECT_EQ(ViewOptionsText({}), "<Options/>\r\n");
  EXPECT_TRUE(RoundTrip({}).empty());
}

TEST(ViewOptionsWrite, OnlyTheFirstNoneEntryOfAGroupGetsFields) {
  const GroupMap tree = {
      {"G", {MakePlaceholder(), Entry("x", "X", "", "doc", true), MakePlaceholder()}}};
  const std::string text = ViewOptionsText(tree);
  EXPECT_EQ(text.find("<Name>None</Name>"), text.rfind("<Name>None</Name>"));
  EXPECT_NE(text.find("</App>\r\n<App/>\r\n</Group>"), std::string::npos);
  EXPECT_EQ(RoundTrip(tree), GroupMap({{"G", {MakePlaceholder(), tree.at("G")[1]}}}));
}

TEST(ViewOptionsWrite, SubGroupsComeBackUnderANoneCarrierAfterTheEntries) {
  const GroupMap alpha = {{"Alpha", {MakePlaceholder()}}};
  const GroupMap beta = {{"Beta", {MakePlaceholder(), Entry("b", "B")}}};
  const GroupMap tree = {
      {"Work", {MakePlaceholder(), CarrierOf(alpha), Entry("e", "E"), CarrierOf(beta, "C")}},
      {"Other Applications", {Entry("o", "O")}}};
  const GroupMap back = RoundTrip(tree);
  const GroupMap expected = {{"Work",
                              {MakePlaceholder(), Entry("e", "E"), Entry("C", "C"),
                               CarrierOf(alpha, "None"), CarrierOf(beta, "None")}},
                             {"Other Applications", {Entry("o", "O")}}};
  EXPECT_EQ(back, expected);
}

// The text is written straight into a string; a document built by the same writing
// calls is the reference it must match byte for byte.
TEST(ViewOptionsWrite, TextMatchesADocumentBuiltElementByElement) {
  std::mt19937 random(21);
  auto pick = [&](std::size_t below) {
    return std::uniform_int_distribution<std::size_t>(0, below - 1)(random);
  };
  static const char* const kTexts[] = {"", "a", "None", "x<y>&z", "é", "\"'"};
  std::function<GroupMap(int)> level = [&](int depth) {
    GroupMap groups;
    for (std::size_t n = pick(4); n > 0; --n) {
      AppList& list = groups[kTexts[pick(6)]];
      for (std::size_t e = pick(5); e > 0; --e) {
        list.push_back(depth < 3 && pick(3) == 0
                           ? CarrierOf(level(depth + 1), kTexts[pick(6)])
                           : Entry(kTexts[pick(6)], kTexts[pick(6)], kTexts[pick(6)],
                                   kTexts[pick(6)], pick(2) == 0));
      }
    }
    return groups;
  };
  for (int round = 0; round < 200; ++round) {
    const GroupMap tree = level(0);
    CXmlDoc doc;
    WriteTree(doc, tree);
    doc.OutOfElement();
    ASSERT_EQ(ViewOptionsText(tree), doc.GetText()) << "round " << round;
  }
}

TEST(ViewOptionsWrite, TreesAsDeepAsTheEditorMakesRoundTrip) {
  // Carriers come back named "None", so the expected tree is built with such ones.
  GroupMap tree = {{"leaf", {Entry("app", "App")}}};
  GroupMap expected = tree;
  for (std::size_t depth = 1; depth < kMaxGroupDepth; ++depth) {
    const std::string name = "g" + std::to_string(depth);
    tree = {{name, {MakePlaceholder(), CarrierOf(tree)}}};
    expected = {{name, {MakePlaceholder(), CarrierOf(expected, "None")}}};
  }
  CXmlDoc doc;
  ASSERT_TRUE(doc.Parse(ViewOptionsText(tree))) << doc.GetParseError();
  EXPECT_EQ(ReadTree(doc), expected);
}

TEST(ViewOptionsRead, ReaderQuirksOfMissingAndEmptyElements) {
  struct Case {
    const char* what;
    std::string groups;  // inside the root
    GroupMap expected;
  };
  const Case cases[] = {
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
  for (const Case& c : cases) {
    EXPECT_EQ(Read("<Options>" + c.groups + "</Options>"), c.expected) << c.what;
    // The root's name does not matter.
    EXPECT_EQ(Read("<Root>" + c.groups + "</Root>"), c.expected) << c.what;
  }
}

TEST(ViewOptionsRead, JoinLinesDropsEveryLineEndForm) {
  EXPECT_EQ(JoinLines("a\r\r\nb\r\nc\nd\n\r\n"), "abcd");
  EXPECT_EQ(JoinLines("a\rb\ntail\r"), "a\rbtail\r");  // only CRs before the LF go
  const std::string longLine(70000, 'x');
  EXPECT_EQ(JoinLines(longLine + "\r\n" + longLine), longLine + longLine);
}

}  // namespace
