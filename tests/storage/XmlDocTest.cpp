#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

#include "storage/XmlDoc.h"

// The index is private; the layout checks read it through this friend.
struct XmlDocInspector {
  static std::size_t IndexSize(const CXmlDoc& doc) { return doc.index_.size(); }
  static std::size_t IndexCapacity(const CXmlDoc& doc) { return doc.index_.capacity(); }
  static int32_t NextFree(const CXmlDoc& doc) { return doc.nextFree_; }
  static const ElementSpan& Span(const CXmlDoc& doc, int32_t entry) { return doc.Span(entry); }
};

namespace {

using Inspect = XmlDocInspector;

std::string Nested(int depth) {
  std::string open, close;
  for (int i = 0; i < depth; ++i) open += "<a>", close += "</a>";
  return open + close;
}

TEST(XmlDocParse, EveryErrorHasItsInputTextAndPlace) {
  const struct {
    std::string text;
    std::string error;
    std::size_t offset;
  } cases[] = {
      {"just text", "Element tag not found", 0},
      {"<!-- only a comment -->", "Element tag not found", 23},
      {"<", "Abrupt end within tag", 0},
      {"<a>< \"b\"></a>", "Tag starts with quote", 3},
      {"<?xml version='1.0'", "Invalid node", 0},
      {"<a><![CDATA[x</a>", "Invalid node", 3},
      {"<!DOCTYPE a [ <!ENTITY e 'x'> >", "Invalid node", 0},
      {"<a><b", "End of tag not found", 3},
      {"<a><b>", "End tag of b element not found", 3},
      {"<a>text<!-- c -->", "End tag of a element not found", 0},
      {"<a>x <= y</a>", "Expecting end tag of element a", 0},
      {"<a><b></a>", "End tag does not correspond to b", 3},
      {"<ab></a>", "End tag does not correspond to ab", 0},
      {"<a></a", "End tag not completed for element a", 0},
      {"<a></>", "End tag not completed for element a", 0},
      {Nested(kMaxElementDepth + 1), "Elements nested too deeply", 3 * kMaxElementDepth},
      {Nested(100000), "Elements nested too deeply", 3 * kMaxElementDepth},  // no stack overflow
  };
  for (const auto& c : cases) {
    CXmlDoc doc;
    EXPECT_FALSE(doc.Parse(c.text)) << c.text;
    EXPECT_EQ(doc.GetParseError(), c.error) << c.text;
    EXPECT_EQ(doc.GetParseErrorDetail().offset, c.offset) << c.text;
    EXPECT_EQ(Inspect::NextFree(doc), 1) << c.text;
    EXPECT_FALSE(doc.FindChildElement()) << c.text;
  }
  CXmlDoc doc;
  EXPECT_TRUE(doc.Parse(Nested(kMaxElementDepth))) << doc.GetParseError();
  EXPECT_FALSE(doc.Parse("<a>"));
  EXPECT_TRUE(doc.Parse("<a/>"));
  EXPECT_FALSE(doc.Parse(""));  // fails without an error text of its own
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
  std::set<std::string> known = {"Element tag not found", "Abrupt end within tag", "Invalid node",
                                 "End of tag not found"};
  for (const char* name : {"Options", "Group", "Name", "T", "U"}) {
    known.insert(std::string("End tag of ") + name + " element not found");
    known.insert(std::string("End tag not completed for element ") + name);
    known.insert(std::string("End tag does not correspond to ") + name);
  }
  for (std::size_t length = 1; length <= text.size(); ++length) {
    CXmlDoc doc;
    const bool parsed = doc.Parse(text.substr(0, length));
    EXPECT_EQ(parsed, length >= rootEnd) << length;
    EXPECT_TRUE(parsed || known.count(doc.GetParseError())) << length << doc.GetParseError();
  }
}

// A hostile text of nothing but '<' reserves the index by its length, not one entry a byte.
TEST(XmlDocParse, IndexIsReservedByTheTextsLengthAndBounded) {
  CXmlDoc doc;
  EXPECT_FALSE(doc.Parse(std::string(6400, '<')));
  EXPECT_LE(Inspect::IndexCapacity(doc), 6400u / 4 + 2);
  EXPECT_THROW(Inspect::Span(doc, static_cast<int32_t>(Inspect::IndexSize(doc))),
               std::invalid_argument);
  EXPECT_THROW(Inspect::Span(doc, -1), std::invalid_argument);
}

TEST(XmlDocText, ContentIsDecodedOrTakenFromCdata) {
  const struct {
    const char* inner;
    const char* expected;
  } cases[] = {
      {"<a>x &lt; y &foo; &amp;amp;</a>", "x < y &foo; &amp;"},
      {"<a>&gt;&apos;&quot;&lt</a>", ">'\"&lt"},
      {"<a><![CDATA[<b>&amp;]]></a>", "<b>&amp;"},
      {"<a> \r\n <![CDATA[x]]> tail</a>", "x"},
      {"<a>y<![CDATA[x]]></a>", "y<![CDATA[x]]>"},
      {"<a> </a>", " "},
      {"<a>line\r\nnext</a>", "line\r\nnext"},
      {"<a><b>x</b></a>", ""},
      {"<a>é&lt;ü</a>", "é<ü"},
  };
  for (const auto& c : cases) {
    CXmlDoc doc;
    ASSERT_TRUE(doc.Parse(std::string("<r>") + c.inner + "</r>")) << c.inner;
    ASSERT_TRUE(doc.FindChildElement("a"));
    EXPECT_EQ(doc.GetChildText(), c.expected) << c.inner;
  }
  EXPECT_EQ(CXmlDoc().GetChildText(), "");
}

}  // namespace
