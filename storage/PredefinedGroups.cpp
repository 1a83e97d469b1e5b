// The catalogue of predefined groups: the user's tree layout, read only. A group that
// ends up without entries gets a "None" placeholder, as every group made by the
// editing operations has one.

#include "framework/core/FileIO.h"
#include "framework/core/Paths.h"
#include "storage/ViewOptionsFile.h"
#include "storage/XmlDoc.h"

std::string GetPredefinedGroupsPath(const std::string& optionsFolder) {
  return optionsFolder + "predefgroups.xml";
}

TreeFileStatus LoadPredefinedGroups(const std::string& path, GroupMap& catalogue) {
  const FileRead read = ReadWholeFile(path);
  if (read.status == OpenStatus::Missing) {
    CreateEmptyFileIfMissing(path);
    return TreeFileStatus::Created;
  }
  if (read.status == OpenStatus::Unreadable) return TreeFileStatus::Unreadable;
  catalogue = ReadPredefinedGroupsText(read.bytes);
  return TreeFileStatus::Read;
}

GroupMap ReadPredefinedGroupsText(std::string_view bytes) {
  CXmlDoc doc;
  doc.Parse(JoinLines(bytes));
  return ReadTree(doc, true);
}
