// The commands that open a dialog: Settings, the predefined groups, Move to and New group.
#include "accounting/DLLDocument.h"
#include "dialogs/MainSettings.h"
#include "dialogs/MoveToDlg.h"
#include "dialogs/NewGroupDlg.h"
#include "dialogs/PreDefGroups.h"
#include "tree/TreeOps.h"
#include "view/DLLDocumentView.h"

void CDLLDocumentView::OnSettings() { OpenSettings(false); }

void CDLLDocumentView::OpenSettings(bool securityFirst) {
  CDLLDocument* doc = GetDocument();
  if (doc == nullptr) return;
  CMainSettings settings(doc->GetFolders().options, this);
  settings.m_bSecurityFirst = securityFirst;
  if (settings.DoModal() != IDOK) return;
  // The dialog wrote the file: the document takes it, the autostart entry follows.
  doc->LoadPrefs();
  RefreshView(m_nViewMode);
  TellFileProblems();
}

void CDLLDocumentView::OnPredefinedGroups() {
  CDLLDocument* doc = GetDocument();
  if (doc == nullptr) return;
  CPreDefGroups catalogue(doc->GetFolders().options, this);
  catalogue.SetOwner(this);
  catalogue.SetWorkingTree(m_groupMap);
  if (catalogue.DoModal() != IDOK) return;
  doc->GetGroupMap() = catalogue.GetWorkingTree();
  m_groupMap = doc->GetGroupMap();
  SaveAndRefresh();
}

void CDLLDocumentView::OnMoveTo() {
  CDLLDocument* doc = GetDocument();
  // Only an application moves; a group's name could stand for one of its parent's.
  if (doc == nullptr || (m_nViewMode == kTreeMode && IsSelectedGroup())) return;
  CMoveToDlg destination(m_groupMap, this);
  GroupPath source;
  const std::string name = SelectedItem(source);
  if (destination.DoModal() != IDOK) return;
  TransferEntry(doc->GetGroupMap(), name, source, destination.m_resultPath, false);
  SaveAndRefresh();
  GroupPath moved = destination.m_resultPath;
  moved.push_back(name);
  SelectItemByPath(moved);
}

void CDLLDocumentView::OnNewGroup() {
  CDLLDocument* doc = GetDocument();
  if (doc == nullptr) return;
  CNewGroupDlg newGroup(m_groupMap, this);
  if (newGroup.DoModal() != IDOK) return;
  AddGroup(doc->GetGroupMap(), newGroup.m_strGroupName,
           newGroup.m_bCreateInto ? newGroup.m_resultPath : GroupPath{});
  SaveAndRefresh();
}
