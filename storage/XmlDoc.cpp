#include "storage/XmlDoc.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>

// The text is UTF-8 (or any byte string). Scans step byte by byte: every markup
// character is ASCII, and neither the lead nor the continuation bytes of a UTF-8
// sequence ever equal an ASCII byte, so a multi-byte character is never taken for
// markup and no double-byte stepping is needed.

namespace {

// Offsets are 32-bit in the index; a text that could not be addressed is refused.
constexpr std::size_t kMaxTextSize =
    static_cast<std::size_t>(std::numeric_limits<int32_t>::max()) - 16;

constexpr std::size_t npos = std::string::npos;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// The characters that end a run token and stand alone as a token.
bool IsDelimiter(char c) {
  return c == '<' || c == '>' || c == '=' || c == '\\' || c == '/' || c == '?' || c == '!';
}

// A token is a quoted string (to the same quote, or the end of the text) or a run up
// to the next white space or delimiter; a delimiter is a token of its own.
struct Token {
  std::size_t begin = 0;
  std::size_t end = 0;  // one past the last byte
  bool quoted = false;

  char First(const std::string& text) const { return text[begin]; }
  std::string_view View(const std::string& text) const {
    return std::string_view(text).substr(begin, end - begin);
  }
  bool Is(const std::string& text, char c) const { return !quoted && text[begin] == c; }
};

// The next token at or after `pos`; false at the end of the text.
bool NextToken(const std::string& text, std::size_t pos, Token& token) {
  while (pos < text.size() && IsSpace(text[pos])) ++pos;
  if (pos >= text.size()) return false;
  token.begin = pos;
  const char c = text[pos];
  if (c == '"' || c == '\'') {
    const std::size_t close = text.find(c, pos + 1);
    token.end = close == npos ? text.size() : close + 1;
    token.quoted = true;
    return true;
  }
  token.quoted = false;
  if (IsDelimiter(c)) {
    token.end = pos + 1;
    return true;
  }
  std::size_t end = pos;
  while (end < text.size() && !IsSpace(text[end]) && !IsDelimiter(text[end])) ++end;
  token.end = end;
  return true;
}

// A tag name token matches a requested name that begins with it and either ends
// there or goes on with a space, '=', '/' or '['.
bool NameMatches(std::string_view token, std::string_view requested) {
  if (!requested.starts_with(token)) return false;
  if (requested.size() == token.size()) return true;
  const char next = requested[token.size()];
  return next == ' ' || next == '=' || next == '/' || next == '[';
}

int32_t ToOffset(std::size_t offset) { return static_cast<int32_t>(offset); }
std::size_t ToPos(int32_t offset) { return static_cast<std::size_t>(offset); }

// Decodes the five predefined entities; any other '&' stays as it is. The text between
// two '&' is copied in one piece.
std::string DecodeEntities(std::string_view content) {
  static constexpr std::pair<std::string_view, char> kEntities[] = {
      {"lt;", '<'}, {"amp;", '&'}, {"gt;", '>'}, {"apos;", '\''}, {"quot;", '"'}};
  std::string out;
  out.reserve(content.size());
  for (std::size_t amp = content.find('&'); amp != npos; amp = content.find('&')) {
    out += content.substr(0, amp);
    content.remove_prefix(amp + 1);
    char decoded = '&';
    for (const auto& [code, replacement] : kEntities) {
      if (content.starts_with(code)) {
        decoded = replacement;
        content.remove_prefix(code.size());
        break;
      }
    }
    out += decoded;
  }
  out += content;
  return out;
}

// Counts the nesting of the element parse; see kMaxElementDepth.
class DepthGuard {
 public:
  explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
  ~DepthGuard() { --depth_; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;
  bool TooDeep() const { return depth_ > kMaxElementDepth; }

 private:
  int& depth_;
};

}  // namespace

// The recursive element parse. Every failure goes through Fail, which keeps the first
// error text; a failed parse unwinds without looking at the text again.
class ElementParser {
 public:
  explicit ElementParser(CXmlDoc& doc) : doc_(doc), text_(doc.text_) {}

  // Parses one element as a child of `parent`, scanning from the parent's end-tag
  // left. Returns its index entry, or 0 when there is no element there or the parse
  // failed (Failed() tells which).
  int32_t ParseElement(int32_t parent);

  bool Failed() const { return failed_; }

  // Keeps the first failure; for the end-tag errors `element` is the entry whose
  // end tag is wrong.
  void Fail(XmlError code, std::size_t offset, int32_t element = 0) {
    if (failed_) return;
    failed_ = true;
    doc_.error_ = {code, offset, {}};
    if (element == 0) return;
    const std::size_t lt = ToPos(doc_.Span(element).StartTagLeft);
    Token name;
    NextToken(text_, lt + 1, name);
    doc_.error_ = {code, lt, std::string(name.View(text_))};
  }

 private:
  enum class Start { Element, NotHere, Error };

  Start FindStartTag(int32_t entry, int32_t parent, Token& name);
  bool SkipNode(std::size_t lt, const Token& token, std::size_t& next);
  bool SkipDeclaration(std::size_t from, std::size_t& next) const;
  bool ParseChildren(int32_t entry);
  bool ParseEndTag(int32_t entry, std::string_view name);
  int32_t GiveBack() {
    --doc_.nextFree_;
    return 0;
  }

  CXmlDoc& doc_;
  const std::string& text_;
  int depth_ = 0;
  bool failed_ = false;
};

int32_t ElementParser::ParseElement(int32_t parent) {
  DepthGuard guard(depth_);
  const int32_t entry = doc_.TakeEntry();
  doc_.Span(entry) = ElementSpan{};
  doc_.Span(entry).Parent = parent;

  Token name;
  const Start start = FindStartTag(entry, parent, name);
  if (start != Start::Element) return GiveBack();
  if (guard.TooDeep()) {
    Fail(XmlError::NestedTooDeeply, ToPos(doc_.Span(entry).StartTagLeft));
    return GiveBack();
  }

  const std::size_t gt = text_.find('>', name.end);
  if (gt == npos) {
    Fail(XmlError::EndOfTagNotFound, ToPos(doc_.Span(entry).StartTagLeft));
    return GiveBack();
  }
  ElementSpan& span = doc_.Span(entry);
  span.StartTagRight = ToOffset(gt);
  if (text_[gt - 1] == '/') {
    span.EndTagLeft = ToOffset(gt - 1);
    span.EndTagRight = ToOffset(gt);
    return entry;
  }
  span.EndTagLeft = ToOffset(gt + 1);
  if (!ParseChildren(entry) || !ParseEndTag(entry, name.View(text_))) return GiveBack();
  return entry;
}

ElementParser::Start ElementParser::FindStartTag(int32_t entry, int32_t parent, Token& name) {
  std::size_t scan = ToPos(doc_.Span(parent).EndTagLeft);
  for (;;) {
    const std::size_t lt = text_.find('<', scan);
    if (lt == npos) {
      // Inside an element the missing end tag is the better report; the parent's
      // end-tag check makes it.
      if (parent == 0) {
        Fail(XmlError::ElementTagNotFound, scan);
        return Start::Error;
      }
      doc_.Span(parent).EndTagLeft = ToOffset(scan);  // past any node skipped
      return Start::NotHere;
    }
    doc_.Span(entry).StartTagLeft = ToOffset(lt);
    doc_.Span(parent).EndTagLeft = ToOffset(lt);
    Token token;
    if (!NextToken(text_, lt + 1, token)) {
      Fail(XmlError::AbruptEndWithinTag, lt);
      return Start::Error;
    }
    if (token.quoted) {
      Fail(XmlError::TagStartsWithQuote, lt);
      return Start::Error;
    }
    const char first = token.First(text_);
    if (first == '?' || first == '!') {
      if (!SkipNode(lt, token, scan)) return Start::Error;
      continue;
    }
    // "</" closes the parent. Any other markup character cannot start a tag name
    // either ("a <= b" in content): the parent's end-tag check reports it.
    if (IsDelimiter(first)) return Start::NotHere;
    name = token;
    return Start::Element;
  }
}

// Steps over a "<?...?>", "<![...]]>", "<!-...-->" or "<!...>" node; `next` is the
// offset after it.
bool ElementParser::SkipNode(std::size_t lt, const Token& token, std::size_t& next) {
  if (text_.size() - lt < 3) {
    Fail(XmlError::InvalidNode, lt);
    return false;
  }
  const std::size_t after = token.end;
  std::size_t end = npos;
  std::size_t markerLength = 0;
  if (token.First(text_) == '?') {
    end = text_.find("?>", after);
    markerLength = 2;
  } else if (after < text_.size() && text_[after] == '[') {
    end = text_.find("]]>", after + 1);
    markerLength = 3;
  } else if (after < text_.size() && text_[after] == '-') {
    end = text_.find("-->", after + 1);
    markerLength = 3;
  } else if (SkipDeclaration(after, next)) {
    return true;
  }
  if (end == npos) {
    Fail(XmlError::InvalidNode, lt);
    return false;
  }
  next = end + markerLength;
  return true;
}

// "<!DOCTYPE ... [ ... ]>": token by token to a '>' outside brackets, skipping quoted
// strings, so an internal subset with '>' in it is stepped over whole.
bool ElementParser::SkipDeclaration(std::size_t from, std::size_t& next) const {
  long depth = 0;
  Token token;
  std::size_t pos = from;
  while (NextToken(text_, pos, token)) {
    pos = token.end;
    if (token.quoted) continue;
    if (token.Is(text_, '>') && depth == 0) {
      next = token.end;
      return true;
    }
    for (const char c : token.View(text_)) {
      if (c == '[') ++depth;
      if (c == ']') --depth;
    }
  }
  return false;
}

bool ElementParser::ParseChildren(int32_t entry) {
  int32_t last = 0;
  for (;;) {
    const int32_t child = ParseElement(entry);
    if (failed_) return false;
    if (child == 0) return true;
    if (last == 0) {
      doc_.Span(entry).FirstChild = child;
    } else {
      doc_.Span(last).NextSibling = child;
    }
    last = child;
    doc_.Span(entry).EndTagLeft = doc_.Span(child).EndTagRight + 1;
  }
}

// "</name>" after the content: the first token '/', the second the element's name,
// then anything up to a '>' token.
bool ElementParser::ParseEndTag(int32_t entry, std::string_view name) {
  const std::size_t lt = text_.find('<', ToPos(doc_.Span(entry).EndTagLeft));
  if (lt == npos) {
    Fail(XmlError::EndTagNotFound, 0, entry);
    return false;
  }
  doc_.Span(entry).EndTagLeft = ToOffset(lt);
  Token token;
  std::size_t pos = lt + 1;
  int count = 0;
  while (NextToken(text_, pos, token)) {
    pos = token.end;
    if (token.Is(text_, '>')) {
      if (count < 2) break;
      doc_.Span(entry).EndTagRight = ToOffset(token.begin);
      return true;
    }
    ++count;
    if (count == 1 && !token.Is(text_, '/')) {
      Fail(XmlError::ExpectingEndTag, 0, entry);
      return false;
    }
    if (count == 2 && (token.quoted || !NameMatches(token.View(text_), name))) {
      Fail(XmlError::EndTagMismatch, 0, entry);
      return false;
    }
  }
  Fail(XmlError::EndTagNotCompleted, 0, entry);
  return false;
}

std::string DescribeXmlError(const XmlParseError& error) {
  const std::string& name = error.element;
  switch (error.code) {
    case XmlError::None:
      return {};
    case XmlError::ElementTagNotFound:
      return "Element tag not found";
    case XmlError::AbruptEndWithinTag:
      return "Abrupt end within tag";
    case XmlError::TagStartsWithQuote:
      return "Tag starts with quote";
    case XmlError::InvalidNode:
      return "Invalid node";
    case XmlError::EndOfTagNotFound:
      return "End of tag not found";
    case XmlError::EndTagNotFound:
      return "End tag of " + name + " element not found";
    case XmlError::ExpectingEndTag:
      return "Expecting end tag of element " + name;
    case XmlError::EndTagMismatch:
      return "End tag does not correspond to " + name;
    case XmlError::EndTagNotCompleted:
      return "End tag not completed for element " + name;
    case XmlError::NestedTooDeeply:
      return "Elements nested too deeply";
    case XmlError::DocumentTooLarge:
      return "Document too large";
  }
  return {};
}

CXmlDoc::CXmlDoc() { Parse({}); }

bool CXmlDoc::Parse(std::string text) {
  ResetPositions();
  nextFree_ = 1;
  text_ = std::move(text);
  // The entries of an earlier parse go, their room stays: a document parsed again and
  // again (the tree file on every reload) touches no fresh memory for its index.
  index_.resize(1);
  SizeIndexForText();
  index_[0] = ElementSpan{};
  if (text_.empty()) return false;
  ElementParser parser(*this);
  if (text_.size() > kMaxTextSize) {
    parser.Fail(XmlError::DocumentTooLarge, 0);
  } else if (const int32_t root = parser.ParseElement(0); root != 0) {
    index_[0].FirstChild = root;
    return true;
  }
  parser.Fail(XmlError::ElementTagNotFound, 0);  // "</a>" alone: no element and no error yet
  index_[0] = ElementSpan{};
  nextFree_ = 1;
  ResetPositions();
  return false;
}

void CXmlDoc::Clear() {
  std::string().swap(text_);  // an assignment would keep the old text's buffer
  ResetPositions();
  nextFree_ = 1;
  index_.resize(1);
  index_[0] = ElementSpan{};
}

bool CXmlDoc::FindElement(std::string_view name) {
  const int32_t from = main_ != 0 ? Span(main_).NextSibling : Span(parent_).FirstChild;
  int32_t found = 0;
  if (!FindSibling(from, name, found)) return false;
  main_ = found;
  child_ = 0;
  nodeType_ = 1;
  return true;
}

bool CXmlDoc::FindChildElement(std::string_view name) {
  if (main_ == 0 && !FindElement()) return false;
  const int32_t from = child_ != 0 ? Span(child_).NextSibling : Span(main_).FirstChild;
  int32_t found = 0;
  if (!FindSibling(from, name, found)) return false;
  child_ = found;
  return true;
}

std::size_t CXmlDoc::CountChildElements(std::string_view name) const {
  if (main_ == 0) return 0;
  std::size_t count = 0;
  for (int32_t entry = child_ != 0 ? Span(child_).NextSibling : Span(main_).FirstChild;
       FindSibling(entry, name, entry); entry = Span(entry).NextSibling) {
    ++count;
  }
  return count;
}

bool CXmlDoc::IntoElement() {
  if (nodeType_ != 1 || main_ == 0) return false;
  parent_ = main_;
  main_ = child_;
  child_ = 0;
  nodeType_ = main_ != 0 ? 1 : 0;
  return true;
}

bool CXmlDoc::OutOfElement() {
  if (parent_ == 0) return false;
  child_ = main_;
  main_ = parent_;
  parent_ = Span(parent_).Parent;
  nodeType_ = 1;
  return true;
}

std::string CXmlDoc::GetChildText() const {
  if (child_ == 0) return {};
  const ElementSpan& span = Span(child_);
  if (span.FirstChild != 0 || span.IsEmpty()) return {};
  const std::size_t contentBegin = ToPos(span.StartTagRight) + 1;
  const std::size_t contentEnd = ToPos(span.EndTagLeft);
  if (contentEnd < contentBegin) return {};

  std::size_t first = contentBegin;
  while (first < contentEnd && IsSpace(text_[first])) ++first;
  constexpr std::string_view kCdata = "<![CDATA[";
  if (first < contentEnd && text_[first] == '<' && first + 11 < contentEnd &&
      text_.compare(first, kCdata.size(), kCdata) == 0) {
    const std::size_t close = text_.find("]]>", first + kCdata.size());
    if (close != npos && close < contentEnd) {
      return text_.substr(first + kCdata.size(), close - first - kCdata.size());
    }
  }
  return DecodeEntities(std::string_view(text_).substr(contentBegin, contentEnd - contentBegin));
}

ElementSpan& CXmlDoc::Span(int32_t entry) {
  if (entry < 0 || ToPos(entry) >= index_.size()) {
    throw std::invalid_argument("element index entry out of range");
  }
  return index_[ToPos(entry)];
}

const ElementSpan& CXmlDoc::Span(int32_t entry) const {
  if (entry < 0 || ToPos(entry) >= index_.size()) {
    throw std::invalid_argument("element index entry out of range");
  }
  return index_[ToPos(entry)];
}

// Entries are made as they are taken; the room reserved ahead is only address space,
// so an estimate above the need costs no memory that is touched.
int32_t CXmlDoc::TakeEntry() {
  if (ToPos(nextFree_) >= index_.size()) index_.resize(ToPos(nextFree_) + 1);
  return nextFree_++;
}

// Every element starts with a '<' and takes at least four bytes ("<a/>"), so either
// count bounds the index, with entry 0 and the one a parse takes to look for another
// element: a parse never moves it.
void CXmlDoc::SizeIndexForText() {
  const auto opens = static_cast<std::size_t>(std::count(text_.begin(), text_.end(), '<'));
  index_.reserve(std::min(opens, text_.size() / 4) + 2);
  if (index_.empty()) index_.resize(1);
}

void CXmlDoc::ResetPositions() {
  parent_ = 0;
  main_ = 0;
  child_ = 0;
  nodeType_ = 0;
}

std::string_view CXmlDoc::TagName(int32_t entry) const {
  Token token;
  if (!NextToken(text_, ToPos(Span(entry).StartTagLeft) + 1, token)) return {};
  return token.View(text_);
}

bool CXmlDoc::FindSibling(int32_t from, std::string_view name, int32_t& found) const {
  for (int32_t entry = from; entry != 0; entry = Span(entry).NextSibling) {
    if (name.empty() || NameMatches(TagName(entry), name)) {
      found = entry;
      return true;
    }
  }
  return false;
}
