#include <gtest/gtest.h>

#include <array>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "storage/XmlDoc.h"

namespace {

// The tag offsets of every element in document order, found by walking the links.
std::vector<std::array<int32_t, 4>> TagOffsets(const CXmlDoc& doc) {
  std::vector<std::array<int32_t, 4>> out;
  std::vector<int32_t> pending;
  if (doc.SpanForTesting(0).FirstChild != 0) pending.push_back(doc.SpanForTesting(0).FirstChild);
  while (!pending.empty()) {
    const int32_t entry = pending.back();
    pending.pop_back();
    const ElementSpan& span = doc.SpanForTesting(entry);
    out.push_back({span.StartTagLeft, span.StartTagRight, span.EndTagLeft, span.EndTagRight});
    if (span.NextSibling != 0) pending.push_back(span.NextSibling);
    if (span.FirstChild != 0) pending.push_back(span.FirstChild);
  }
  return out;
}

// What a parse of the built text finds must be exactly what the builder recorded.
void ExpectIndexMatchesReparse(const CXmlDoc& built) {
  CXmlDoc parsed;
  ASSERT_TRUE(parsed.Parse(built.GetText())) << parsed.GetParseError();
  EXPECT_EQ(TagOffsets(built), TagOffsets(parsed));
}

std::string ChildText(const std::string& text, const std::string& child) {
  CXmlDoc doc;
  EXPECT_TRUE(doc.Parse(text)) << doc.GetParseError();
  EXPECT_TRUE(doc.FindChildElement(child));
  return doc.GetChildText();
}

std::string Nested(int depth) {
  std::string text;
  for (int i = 0; i < depth; ++i) text += "<a>";
  for (int i = 0; i < depth; ++i) text += "</a>";
  return text;
}

TEST(XmlDocBuild, ExampleDocumentIsByteExact) {
  CXmlDoc doc;
  ASSERT_TRUE(doc.AddElement("Options"));
  ASSERT_TRUE(doc.IntoElement());
  ASSERT_TRUE(doc.AddElement("Group"));
  ASSERT_TRUE(doc.IntoElement());
  ASSERT_TRUE(doc.AddElement("Name", "Work"));
  ASSERT_TRUE(doc.OutOfElement());
  EXPECT_EQ(doc.GetText(),
            "<Options>\r\n<Group>\r\n<Name>Work</Name>\r\n</Group>\r\n</Options>\r\n");
  ExpectIndexMatchesReparse(doc);
}

TEST(XmlDocBuild, ValuesAreEscapedAndEmptyValuesWrittenEmpty) {
  CXmlDoc doc;
  ASSERT_TRUE(doc.AddElement("r"));
  ASSERT_TRUE(doc.IntoElement());
  ASSERT_TRUE(doc.AddElement("e"));
  ASSERT_TRUE(doc.AddElement("v", "a<b&c>\"d'"));
  EXPECT_EQ(doc.GetText(), "<r>\r\n<e/>\r\n<v>a&lt;b&amp;c&gt;\"d'</v>\r\n</r>\r\n");
  ExpectIndexMatchesReparse(doc);
}

TEST(XmlDocBuild, SecondRootAndBadNamesAreRefused) {
  CXmlDoc doc;
  ASSERT_TRUE(doc.AddElement("root", "x"));
  const std::string before = doc.GetText();
  EXPECT_FALSE(doc.AddElement("other"));
  for (const char* name : {"", "a b", "a/b", "<a", "a>", "a=b", "a\"", "a&b"}) {
    ASSERT_TRUE(doc.IntoElement());
    EXPECT_FALSE(doc.AddElement(name)) << name;
    ASSERT_TRUE(doc.OutOfElement());
  }
  EXPECT_EQ(doc.GetText(), before);
}

TEST(XmlDocBuild, InsertsIntoParsedDocumentsOfEveryShape) {
  struct Case {
    const char* text;
    const char* after;  // child that becomes the main element first; "" = none
    const char* expected;
  };
  const Case cases[] = {
      {"<r/>", "", "<r>\r\n<n>v</n>\r\n</r>"},
      {"<r></r>", "", "<r>\r\n<n>v</n>\r\n</r>"},
      {"<r>\r\n<a/>\r\n</r>", "", "<r>\r\n<a/>\r\n<n>v</n>\r\n</r>"},
      {"<r>\r\n<a/>\r\n<c/>\r\n</r>", "a", "<r>\r\n<a/>\r\n<n>v</n>\r\n<c/>\r\n</r>"},
      {"<r><a/>text<c/></r>", "a", "<r><a/><n>v</n>\r\ntext<c/></r>"},
      {"<x><r><a><b/></a></r><z/></x>", "", "<x><r><a><b/></a><n>v</n>\r\n</r><z/></x>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    CXmlDoc doc;
    ASSERT_TRUE(doc.Parse(c.text));
    ASSERT_TRUE(doc.FindElement());
    if (std::string(c.text).starts_with("<x>")) {
      ASSERT_TRUE(doc.FindChildElement("r"));
      ASSERT_TRUE(doc.IntoElement());
    }
    ASSERT_TRUE(doc.IntoElement());
    if (*c.after != '\0') {
      ASSERT_TRUE(doc.FindElement(c.after));
    }
    ASSERT_TRUE(doc.AddElement("n", "v"));
    EXPECT_EQ(doc.GetText(), c.expected);
    ExpectIndexMatchesReparse(doc);
    // The new element is the main one: climbing out makes it the child.
    ASSERT_TRUE(doc.OutOfElement());
    EXPECT_EQ(doc.GetChildText(), "v");
  }
}

TEST(XmlDocParse, EveryErrorTextHasItsInput) {
  struct Case {
    std::string text;
    std::string error;
  };
  const Case cases[] = {
      {"just text", "Element tag not found"},
      {"</a>", "Element tag not found"},
      {"<!-- only a comment -->", "Element tag not found"},
      {"<", "Abrupt end within tag"},
      {"<a><  ", "Abrupt end within tag"},
      {"<'a'/>", "Tag starts with quote"},
      {"<a>< \"b\"></a>", "Tag starts with quote"},
      {"<!", "Invalid node"},
      {"<?xml version='1.0'", "Invalid node"},
      {"<!-- open", "Invalid node"},
      {"<a><![CDATA[x</a>", "Invalid node"},
      {"<!DOCTYPE a [ <!ENTITY e 'x'> >", "Invalid node"},
      {"<a", "End of tag not found"},
      {"<a><b", "End of tag not found"},
      {"<a>text", "End tag of a element not found"},
      {"<a><b>", "End tag of b element not found"},
      {"<a>x <= y</a>", "Expecting end tag of element a"},
      {"<a><<b/></a>", "Expecting end tag of element a"},
      {"<a><b></a>", "End tag does not correspond to b"},
      {"<ab></a>", "End tag does not correspond to ab"},
      {"<a></ab>", "End tag does not correspond to a"},
      {"<a></'a'>", "End tag does not correspond to a"},
      {"<a></a", "End tag not completed for element a"},
      {"<a></>", "End tag not completed for element a"},
      {"<a></", "End tag not completed for element a"},
      {Nested(kMaxElementDepth + 1), "Elements nested too deeply"},
  };
  for (const Case& c : cases) {
    CXmlDoc doc;
    EXPECT_FALSE(doc.Parse(c.text)) << c.text;
    EXPECT_EQ(doc.GetParseError(), c.error) << c.text;
    EXPECT_EQ(doc.NextFreeForTesting(), 1) << c.text;
    EXPECT_FALSE(doc.FindChildElement()) << c.text;
    EXPECT_FALSE(doc.FindElement()) << c.text;
  }
}

TEST(XmlDocParse, ErrorTextSurvivesLaterParses) {
  CXmlDoc doc;
  EXPECT_FALSE(doc.Parse(""));
  EXPECT_EQ(doc.GetParseError(), "");
  EXPECT_FALSE(doc.Parse("<a>"));
  EXPECT_TRUE(doc.Parse("<a/>"));
  EXPECT_FALSE(doc.Parse(""));
  EXPECT_EQ(doc.GetParseError(), "End tag of a element not found");
}

TEST(XmlDocParse, EveryTruncatedPrefixParsesOrFailsCleanly) {
  const std::string root =
      "<Options>\r\n<Group>\r\n<Name>W &amp; x</Name>\r\n<App/>\r\n"
      "<T><![CDATA[<b>]]></T>\r\n<U a=\"1\" b='>'>y</U >\r\n</Group>\r\n</Options>";
  const std::string text =
      "<?xml version=\"1.0\"?>\r\n<!-- note -->\r\n"
      "<!DOCTYPE Options [<!ENTITY e \"a>b\">]>\r\n" +
      root + "\r\n<!-- after -->";
  const std::size_t rootEnd = text.find(root) + root.size();
  const std::set<std::string> known = {"Element tag not found",
                                       "Abrupt end within tag",
                                       "Invalid node",
                                       "End of tag not found",
                                       "End tag of Options element not found",
                                       "End tag of Group element not found",
                                       "End tag of Name element not found",
                                       "End tag of T element not found",
                                       "End tag of U element not found",
                                       "End tag not completed for element Options",
                                       "End tag not completed for element Group",
                                       "End tag not completed for element Name",
                                       "End tag not completed for element T",
                                       "End tag not completed for element U",
                                       "End tag does not correspond to Options",
                                       "End tag does not correspond to Group",
                                       "End tag does not correspond to Name",
                                       "End tag does not correspond to T",
                                       "End tag does not correspond to U"};
  for (std::size_t length = 0; length <= text.size(); ++length) {
    CXmlDoc doc;
    const bool parsed = doc.Parse(text.substr(0, length));
    if (length >= rootEnd) {
      EXPECT_TRUE(parsed) << length;
      continue;
    }
    EXPECT_FALSE(parsed) << length;
    if (length == 0) {
      EXPECT_EQ(doc.GetParseError(), "");
    } else {
      EXPECT_TRUE(known.count(doc.GetParseError())) << length << ": " << doc.GetParseError();
    }
  }
}

TEST(XmlDocParse, NodesBeforeTheRootAreSkipped) {
  CXmlDoc doc;
  ASSERT_TRUE(doc.Parse(
      "<?xml version=\"1.0\"?>\n<!-- a <b> comment -->\n"
      "<!DOCTYPE r [ <!ELEMENT r ANY> <!ENTITY gt2 \">>\"> ]>\n<r><x/></r>trailing <junk"));
  ASSERT_TRUE(doc.FindChildElement("x"));
  EXPECT_FALSE(doc.FindElement());  // only one root is parsed
}

TEST(XmlDocParse, NestingUpToTheBoundParses) {
  CXmlDoc doc;
  EXPECT_TRUE(doc.Parse(Nested(kMaxElementDepth))) << doc.GetParseError();
  // Far beyond the bound: a clean failure, not a stack overflow.
  EXPECT_FALSE(doc.Parse(std::string(200000, '<') + "a>"));
  EXPECT_FALSE(doc.Parse(Nested(100000)));
  EXPECT_EQ(doc.GetParseError(), "Elements nested too deeply");
}

TEST(XmlDocParse, IndexIsSizedFromTextAndGrowsByHalf) {
  // 30 children of one root: the text is 127 bytes, so the index starts at 127/64 + 8
  // = 9 entries. Entries 1..31 are kept and entry 32 is taken for the end of the
  // children; each time the next free entry reaches the size it grows by half:
  // 9 -> 13 -> 19 -> 28 -> 42.
  std::string text = "<r>";
  for (int i = 0; i < 30; ++i) text += "<a/>";
  text += "</r>";
  ASSERT_EQ(text.size(), 127u);
  CXmlDoc doc;
  ASSERT_TRUE(doc.Parse(text));
  EXPECT_EQ(doc.NextFreeForTesting(), 32);
  EXPECT_EQ(doc.IndexSizeForTesting(), 42u);
  ASSERT_TRUE(doc.Parse("<r/>"));
  EXPECT_EQ(doc.IndexSizeForTesting(), 42u);  // never shrunk
  CXmlDoc big;
  big.Parse(std::string(6400, ' '));
  EXPECT_EQ(big.IndexSizeForTesting(), 108u);
  EXPECT_THROW(big.SpanForTesting(108), std::invalid_argument);
  EXPECT_THROW(big.SpanForTesting(-1), std::invalid_argument);
}

TEST(XmlDocText, ContentIsDecodedOrTakenFromCdata) {
  struct Case {
    const char* inner;
    const char* expected;
  };
  const Case cases[] = {
      {"<a>x &lt; y &foo; &amp;amp;</a>", "x < y &foo; &amp;"},
      {"<a>&gt;&apos;&quot;&amp;</a>", ">'\"&"},
      {"<a>&lt</a>", "&lt"},
      {"<a>&amp</a>", "&amp"},
      {"<a><![CDATA[<b>&amp;]]></a>", "<b>&amp;"},
      {"<a> \r\n <![CDATA[x]]> tail</a>", "x"},
      {"<a>y<![CDATA[x]]></a>", "y<![CDATA[x]]>"},
      {"<a><![CDATA[]]></a>", ""},
      {"<a> </a>", " "},
      {"<a>line\r\nnext</a>", "line\r\nnext"},
      {"<a></a>", ""},
      {"<a/>", ""},
      {"<a><b>x</b></a>", ""},
      {"<a>é&lt;ü</a>", "é<ü"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChildText(std::string("<r>") + c.inner + "</r>", "a"), c.expected) << c.inner;
  }
  CXmlDoc doc;
  EXPECT_EQ(doc.GetChildText(), "");
}

TEST(XmlDocNavigate, ChildrenAreVisitedInDocumentOrderOnly) {
  CXmlDoc doc;
  ASSERT_TRUE(doc.Parse("<r><a>1</a><b>2</b><a>3</a><c/></r>"));
  EXPECT_TRUE(doc.FindChildElement("a"));
  EXPECT_EQ(doc.GetChildText(), "1");
  EXPECT_TRUE(doc.FindChildElement("a"));
  EXPECT_EQ(doc.GetChildText(), "3");
  EXPECT_FALSE(doc.FindChildElement("b"));  // lies before the current child
  EXPECT_EQ(doc.GetChildText(), "3");       // a failed search moves nothing
  EXPECT_TRUE(doc.FindChildElement());
  EXPECT_FALSE(doc.FindChildElement());
}

TEST(XmlDocNavigate, TagNamesMatchByTheirLeadingToken) {
  struct Case {
    const char* requested;
    bool found;
  };
  const Case cases[] = {{"Name", true},   {"Name x", true},  {"Name=", true},
                        {"Name/", true},  {"Name[2]", true}, {"Nam", false},
                        {"Names", false}, {"name", false},   {"", true}};
  for (const Case& c : cases) {
    CXmlDoc doc;
    ASSERT_TRUE(doc.Parse("<r><Name attr='1'>v</Name></r>"));
    EXPECT_EQ(doc.FindChildElement(c.requested), c.found) << c.requested;
  }
}

TEST(XmlDocNavigate, IntoAndOutOfMovePositionsOrRefuse) {
  CXmlDoc doc;
  EXPECT_FALSE(doc.IntoElement());
  EXPECT_FALSE(doc.OutOfElement());
  ASSERT_TRUE(doc.Parse("<r><g><n>x</n></g><g><n>y</n></g></r>"));
  EXPECT_FALSE(doc.IntoElement());  // no main element yet
  ASSERT_TRUE(doc.FindChildElement("g"));
  ASSERT_TRUE(doc.IntoElement());
  ASSERT_TRUE(doc.FindChildElement("n"));
  EXPECT_EQ(doc.GetChildText(), "x");
  ASSERT_TRUE(doc.OutOfElement());
  ASSERT_TRUE(doc.FindChildElement("g"));  // looks after the g it came out of
  ASSERT_TRUE(doc.IntoElement());
  ASSERT_TRUE(doc.FindChildElement("n"));
  EXPECT_EQ(doc.GetChildText(), "y");
  ASSERT_TRUE(doc.OutOfElement());
  EXPECT_FALSE(doc.OutOfElement());
  EXPECT_FALSE(doc.FindElement());  // the root has no sibling
}

}  // namespace
