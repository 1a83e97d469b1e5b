#include "view/AppClipboard.h"

#include <utility>

#include "tree/TreeOps.h"

void CAppClipboard::Copy(std::string name, GroupPath source) {
  m_name = std::move(name);
  m_source = m_name.empty() ? GroupPath{} : std::move(source);
  m_pasteAllowed = true;
}

std::optional<GroupPath> CAppClipboard::Paste(GroupMap& tree, const GroupPath& destination,
                                              bool keepSource) {
  std::optional<GroupPath> pasted;
  if (!m_name.empty()) {
    TransferEntry(tree, m_name, m_source, destination, keepSource);
    pasted = destination;
    pasted->push_back(m_name);
  }
  m_name.clear();
  m_source.clear();
  m_pasteAllowed = false;
  return pasted;
}
