// The markup layout of a group tree: one Options element per level, a Group per
// group (its Name, its App entries, then one nested Options per entry that carries
// sub-groups). Shared by the user's tree file and the catalogue of predefined groups.

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "storage/ViewOptionsFile.h"
#include "storage/XmlDoc.h"

namespace {

constexpr std::string_view kOptions = "Options";
constexpr std::string_view kGroup = "Group";
constexpr std::string_view kName = "Name";
constexpr std::string_view kApp = "App";
constexpr std::string_view kShowAs = "ShowAs";
constexpr std::string_view kIsCheckTitleFilter = "isCheckTitleFilter";
constexpr std::string_view kTitleFilter = "TitleFilter";
constexpr std::string_view kPath = "Path";
// <App><Name>x</Name><ShowAs/><isCheckTitleFilter>0</isCheckTitleFilter><TitleFilter/>
// <Path/></App>, its line ends joined away.
constexpr std::size_t kShortestKeptApp = 96;

// A flag stored as a decimal integer: leading blanks skipped, an optional sign, the
// digits up to the first non-digit. On when that number is not 0.
bool DecimalFlag(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' ||
                             text[i] == '\r' || text[i] == '\v' || text[i] == '\f')) {
    ++i;
  }
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (text[i] != '0') return true;
  }
  return false;
}

// Builds markup strictly in order, the way a tree is written, straight into one string,
// with no index of tag positions (keeping one made a save of 100,000 entries cost more
// than their reading). An element that is entered was added without a value.
class MarkupWriter {
 public:
  explicit MarkupWriter(std::size_t bytes) { text_.reserve(bytes); }

  void AddElement(std::string_view name, std::string_view value = {}) {
    OpenUpParent();
    text_ += '<';
    text_ += name;
    last_ = name;
    if (value.empty()) {
      text_ += kEmptyEnd;
      return;
    }
    text_ += '>';
    AppendEscaped(value);
    text_ += "</";
    text_ += name;
    text_ += ">\r\n";
  }
  void IntoElement() { open_.push_back({last_, false}); }
  void OutOfElement() {
    if (open_.empty()) return;
    const Open element = open_.back();
    open_.pop_back();
    if (!element.hasChildren) return;  // it stays <name/>
    text_ += "</";
    text_ += element.name;
    text_ += ">\r\n";
  }
  std::string TakeText() && {
    while (!open_.empty()) OutOfElement();
    return std::move(text_);
  }

 private:
  static constexpr std::string_view kEmptyEnd = "/>\r\n";
  struct Open {
    std::string_view name;
    bool hasChildren = false;
  };

  // The first child of an element written as <name/> turns it into <name>, with the
  // line end after it.
  void OpenUpParent() {
    if (open_.empty() || open_.back().hasChildren) return;
    text_.resize(text_.size() - kEmptyEnd.size());
    text_ += ">\r\n";
    open_.back().hasChildren = true;
  }

  // '<', '&' and '>' as entities; quotes stay as they are.
  void AppendEscaped(std::string_view value) {
    for (std::size_t special = value.find_first_of("<&>"); special != std::string_view::npos;
         special = value.find_first_of("<&>")) {
      text_ += value.substr(0, special);
      text_ += value[special] == '<' ? "&lt;" : value[special] == '&' ? "&amp;" : "&gt;";
      value.remove_prefix(special + 1);
    }
    text_ += value;
  }

  std::string text_;
  std::string_view last_;
  std::vector<Open> open_;
};

void WriteLevel(MarkupWriter& doc, const GroupMap& tree);

void WriteEntryFields(MarkupWriter& doc, const AppEntry& entry) {
  doc.AddElement(kName, entry.Name);
  doc.AddElement(kShowAs, entry.ShowAs);
  doc.AddElement(kIsCheckTitleFilter, entry.isCheckTitleFilter ? "1" : "0");
  doc.AddElement(kTitleFilter, entry.TitleFilter);
  doc.AddElement(kPath, entry.Path);
}

// The reader keeps only entries that have a Name, and the sub-groups of a group only
// when one of its entries was kept. So when no entry of a list would come back, its
// first carrier is written as the placeholder, and its groups come back behind it.
const AppEntry* CarrierToWriteAsPlaceholder(const AppList& list) {
  const auto named = [](const AppEntry& entry) { return !entry.Name.empty(); };
  if (std::any_of(list.begin(), list.end(), named)) return nullptr;
  const auto carrier = std::find_if(list.begin(), list.end(), IsCarrier);
  return carrier == list.end() ? nullptr : &*carrier;
}

void WriteGroup(MarkupWriter& doc, const std::string& name, const AppList& list) {
  doc.AddElement(kGroup);
  doc.IntoElement();
  doc.AddElement(kName, name);
  const AppEntry* asPlaceholder = CarrierToWriteAsPlaceholder(list);
  const AppEntry placeholder = MakePlaceholder();
  // A group holds one visible "None" placeholder at most; later ones are written
  // without fields (and so are not read back).
  bool noneWritten = false;
  for (const AppEntry& entry : list) {
    doc.AddElement(kApp);
    doc.IntoElement();
    const AppEntry& written = &entry == asPlaceholder ? placeholder : entry;
    const bool isNone = written.Name == kNoneName;
    if (!(isNone && noneWritten)) WriteEntryFields(doc, written);
    noneWritten = noneWritten || isNone;
    doc.OutOfElement();
  }
  for (const AppEntry& entry : list) {
    if (entry.SubGroups.empty()) continue;
    WriteLevel(doc, entry.SubGroups);
    doc.OutOfElement();
  }
  doc.OutOfElement();
}

void WriteLevel(MarkupWriter& doc, const GroupMap& tree) {
  doc.AddElement(kOptions);
  doc.IntoElement();
  for (const auto& [name, list] : tree) WriteGroup(doc, name, list);
}

// The reader keeps one text buffer per level, carried from field to field: a missing
// field takes the text read before it, and an empty text leaves a field as it was.
class TreeReader {
 public:
  TreeReader(CXmlDoc& doc, bool placeholderForEmptyGroup)
      : doc_(doc), placeholder_(placeholderForEmptyGroup) {}

  GroupMap ReadLevel(int depth);

 private:
  void ReadField(std::string& text, std::string_view field, std::string& value);
  AppEntry ReadApp(std::string& text);
  void ReadNestedOptions(AppList& list, int depth);
  AppEntry EmptyGroupEntry() const { return placeholder_ ? MakePlaceholder() : AppEntry{}; }

  CXmlDoc& doc_;
  bool placeholder_;
};

GroupMap TreeReader::ReadLevel(int depth) {
  GroupMap result;
  // Each level enters two elements (Options, Group), so a reader never needs to go
  // deeper than half the markup bound; the check only guards odd cursor walks.
  if (depth > kMaxElementDepth) return result;
  std::string groupName;
  std::string text;
  while (doc_.FindChildElement(kGroup)) {
    doc_.IntoElement();
    // A Group without a Name is not left: the next search looks among its own
    // children, finds no Group there and so ends this level.
    if (!doc_.FindChildElement(kName)) continue;
    text = doc_.GetChildText();
    if (!text.empty()) groupName = text;

    AppList list;
    // One growth of a list of 100,000 entries costs more than counting them first. Only
    // an App with a Name is kept, and the writer never makes one shorter than
    // kShortestKeptApp bytes: a file of empty Apps reserves no more than its size.
    const std::size_t apps =
        std::min(doc_.CountChildElements(kApp), doc_.GetText().size() / kShortestKeptApp);
    list.reserve(apps + doc_.CountChildElements(kOptions));
    while (doc_.FindChildElement(kApp)) {
      AppEntry entry = ReadApp(text);
      if (!entry.Name.empty()) list.push_back(std::move(entry));
    }
    ReadNestedOptions(list, depth);
    doc_.OutOfElement();
    if (!list.empty()) {
      result[groupName] = std::move(list);
    } else {
      result[groupName].push_back(EmptyGroupEntry());
    }
  }
  return result;
}

void TreeReader::ReadField(std::string& text, std::string_view field, std::string& value) {
  if (doc_.FindChildElement(field)) text = doc_.GetChildText();
  if (!text.empty()) value = text;
}

AppEntry TreeReader::ReadApp(std::string& text) {
  doc_.IntoElement();
  AppEntry entry;
  ReadField(text, kName, entry.Name);
  ReadField(text, kShowAs, entry.ShowAs);
  std::string flag;
  ReadField(text, kIsCheckTitleFilter, flag);
  entry.isCheckTitleFilter = DecimalFlag(flag);
  ReadField(text, kTitleFilter, entry.TitleFilter);
  ReadField(text, kPath, entry.Path);
  text.clear();
  doc_.OutOfElement();
  return entry;
}

// Sub-groups come back under a carrier named "None", kept only when the group already
// has an entry to hang it after.
void TreeReader::ReadNestedOptions(AppList& list, int depth) {
  while (doc_.FindChildElement(kOptions)) {
    doc_.IntoElement();
    AppEntry carrier;
    carrier.Name = kNoneName;
    carrier.ShowAs = kNoneName;
    carrier.SubGroups = ReadLevel(depth + 1);
    if (!list.empty()) list.push_back(std::move(carrier));
    doc_.OutOfElement();
  }
}

// A little more than the markup of `tree` takes: tags, line ends and the values (an
// escaped value may grow, which the margin covers in practice).
struct MarkupSize {
  std::size_t bytes = 32;

  void Add(const GroupMap& tree) {
    bytes += 32;
    for (const auto& [name, list] : tree) {
      bytes += 48 + name.size();
      for (const AppEntry& entry : list) {
        bytes += 176 + entry.Name.size() + entry.ShowAs.size() + entry.TitleFilter.size() +
                 entry.Path.size();
        if (!entry.SubGroups.empty()) Add(entry.SubGroups);
      }
    }
  }
};

}  // namespace

GroupMap ReadTree(CXmlDoc& doc, bool placeholderForEmptyGroup) {
  return TreeReader(doc, placeholderForEmptyGroup).ReadLevel(1);
}

std::string ViewOptionsText(const GroupMap& tree) {
  MarkupSize size;
  size.Add(tree);
  MarkupWriter writer(size.bytes);
  WriteLevel(writer, tree);
  return std::move(writer).TakeText();
}
