#include "framework/app/CDocTemplate.h"

#include "framework/app/DocumentLinks.h"
#include "framework/core/Document.h"
#include "framework/resources/Resources.h"
#include "framework/windows/CFrameWnd.h"

const CRuntimeClass CDocTemplate::classCDocTemplate{"CDocTemplate", &CCmdTarget::classCCmdTarget,
                                                    nullptr};
const CRuntimeClass* CDocTemplate::GetRuntimeClass() const { return &classCDocTemplate; }

CDocTemplate::CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass,
                           const CRuntimeClass* pFrameClass, const CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource),
      m_pDocClass(pDocClass),
      m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass) {}

void CDocTemplate::LoadTemplate() {
  m_strDocStrings = AfxLoadString(m_nIDResource);
  m_hMenuShared = AfxFindMenu(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(std::string& rString, DocStringIndex index) const {
  rString.clear();
  std::size_t start = 0;
  for (int field = 0; field < index; ++field) {
    start = m_strDocStrings.find('\n', start);
    if (start == std::string::npos) return FALSE;
    ++start;
  }
  const std::size_t end = m_strDocStrings.find('\n', start);
  rString =
      m_strDocStrings.substr(start, end == std::string::npos ? std::string::npos : end - start);
  return TRUE;
}

CDocument* CDocTemplate::CreateNewDocument() {
  if (m_pDocClass == nullptr) return nullptr;
  CObject* object = m_pDocClass->CreateObject();
  auto* doc = dynamic_cast<CDocument*>(object);
  if (doc == nullptr) {
    delete object;
    return nullptr;
  }
  AddDocument(doc);
  return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd*) {
  if (m_pFrameClass == nullptr) return nullptr;
  CObject* object = m_pFrameClass->CreateObject();
  auto* frame = dynamic_cast<CFrameWnd*>(object);
  if (frame == nullptr) {
    delete object;
    return nullptr;
  }
  CCreateContext context;
  context.m_pCurrentDoc = pDoc;
  context.m_pNewViewClass = m_pViewClass;
  context.m_pNewDocTemplate = this;
  // A frame whose creation fails has deleted itself.
  if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) {
    return nullptr;
  }
  return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible) {
  pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

void CDocTemplate::SetDefaultTitle(CDocument* pDocument) {
  std::string title;
  if (!GetDocString(title, docName) || title.empty()) title = "Untitled";
  pDocument->SetTitle(title);
}

void CDocTemplate::AddDocument(CDocument* pDoc) { AfxSetDocTemplate(pDoc, this); }

void CDocTemplate::RemoveDocument(CDocument* pDoc) {
  if (AfxGetDocTemplate(pDoc) == this) AfxSetDocTemplate(pDoc, nullptr);
}
