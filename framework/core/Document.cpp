#include "framework/core/Document.h"

const CRuntimeClass CDocument::classCDocument{"CDocument", &CObject::classCObject, nullptr};

const CRuntimeClass* CDocument::GetRuntimeClass() const { return &classCDocument; }

bool CDocument::OnNewDocument() {
  DeleteContents();
  m_strPathName.clear();
  m_bModified = false;
  m_bClosed = false;
  return true;
}

void CDocument::OnCloseDocument() {
  DeleteContents();
  m_bClosed = true;
}

bool CDocument::CanCloseFrame() { return !m_bModified || SaveModified(); }
