#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Where one element's tags lie in the document text, with its links in the tree.
// Offsets are byte offsets into the text.
struct ElementSpan {
  int32_t StartTagLeft = 0;   // the '<' of the start tag
  int32_t StartTagRight = 0;  // the '>' that closes the start tag
  int32_t EndTagLeft = 0;     // the '<' of the end tag; the '/' of an empty element
  int32_t EndTagRight = 0;    // the '>' of the end tag; StartTagRight for an empty element
  int32_t Reserved = 0;
  int32_t Parent = 0;       // index entry of the parent (0 = the document)
  int32_t FirstChild = 0;   // 0 = none
  int32_t NextSibling = 0;  // 0 = none

  // Written as <X/>.
  bool IsEmpty() const { return StartTagRight == EndTagLeft + 1; }
};

// Elements may nest this deep and no deeper. The parse is recursive, one call per
// level, so a hostile file of a few hundred kilobytes of "<a>" would otherwise run the
// stack out. A saved tree costs two levels per group level plus two for an entry's
// fields, so the deepest tree the editing operations make (kMaxGroupDepth groups) fits
// with room to spare.
inline constexpr int kMaxElementDepth = 256;

// Why a parse failed. The texts GetParseError makes from them are fixed: callers
// and old files' users have always seen these.
enum class XmlError {
  None,
  ElementTagNotFound,  // "Element tag not found"
  AbruptEndWithinTag,  // "Abrupt end within tag"
  TagStartsWithQuote,  // "Tag starts with quote"
  InvalidNode,         // "Invalid node"
  EndOfTagNotFound,    // "End of tag not found"
  EndTagNotFound,      // "End tag of <name> element not found"
  ExpectingEndTag,     // "Expecting end tag of element <name>"
  EndTagMismatch,      // "End tag does not correspond to <name>"
  EndTagNotCompleted,  // "End tag not completed for element <name>"
  NestedTooDeeply,     // "Elements nested too deeply"
  DocumentTooLarge,    // "Document too large"
};

// The first failure of a parse: what, and where in the text. For the errors that
// name an element, `offset` is that element's '<' and `element` its tag name.
struct XmlParseError {
  XmlError code = XmlError::None;
  std::size_t offset = 0;
  std::string element;
};

// The text of an error, as GetParseError gives it.
std::string DescribeXmlError(const XmlParseError& error);

// The markup document the options files are read and written through. The text is
// the document; the index only records where each element's tags lie in it. The
// element index is flat: entry 0 stands for the document, entries 1.. for elements.
//
// Walking uses three positions: the parent, the main element (the current one) and the
// child (the current child of the main element). Navigation never fails loudly: it
// returns false and leaves the positions as they were.
//
// Names are passed as byte strings; an empty name means "any element". No attribute,
// namespace or schema support: nothing that reads these files needs it.
class CXmlDoc {
 public:
  // An empty document (the parse of no text).
  CXmlDoc();

  // Replaces the text, rebuilds the index and resets the positions. True when a root
  // element was parsed. On failure the index is empty and GetParseError tells why
  // (an empty text fails without touching the error text).
  // The text is taken by value, so that a caller done with its string moves it in.
  // The index keeps its room from parse to parse.
  bool Parse(std::string text);

  // Back to an empty document, its text released; the index keeps its room.
  void Clear();

  // The whole text as parsed or built so far.
  const std::string& GetText() const { return text_; }
  // The same, moved out of a document that is done with.
  std::string TakeText() && { return std::move(text_); }

  // The text of the last failed parse; a successful parse does not clear it.
  std::string GetParseError() const { return DescribeXmlError(error_); }
  // The same as a code and a position.
  const XmlParseError& GetParseErrorDetail() const { return error_; }

  // The next sibling after the main element (or the first child of the parent when
  // there is no main element) whose tag name matches; it becomes the main element.
  bool FindElement(std::string_view name = {});

  // The next child of the main element after the child position whose tag name
  // matches; it becomes the child position. With no main element, the first element
  // at the parent's level is selected first (so a fresh document selects its root).
  bool FindChildElement(std::string_view name = {});

  // How many more children FindChildElement(name) would find from here; 0 with no main
  // element. Lets a reader size its list before it reads the children.
  std::size_t CountChildElements(std::string_view name) const;

  // Descends: the main element becomes the parent and the child becomes the main one.
  bool IntoElement();

  // Climbs: the parent becomes the main element, the old main element the child.
  bool OutOfElement();

  // Text content of the child element, entities decoded (CDATA returned as it
  // stands). Empty for an element with children, an empty element or no child.
  std::string GetChildText() const;

 private:
  friend class ElementParser;
  friend struct XmlDocInspector;  // the tests look at the index

  ElementSpan& Span(int32_t entry);
  const ElementSpan& Span(int32_t entry) const;
  int32_t TakeEntry();
  void SizeIndexForText();
  void ResetPositions();
  std::string_view TagName(int32_t entry) const;
  bool FindSibling(int32_t from, std::string_view name, int32_t& found) const;

  std::string text_;
  XmlParseError error_;
  std::vector<ElementSpan> index_;
  int32_t parent_ = 0;
  int32_t main_ = 0;
  int32_t child_ = 0;
  int32_t nextFree_ = 1;
  int32_t nodeType_ = 0;  // 1 when the main position is an element
};
