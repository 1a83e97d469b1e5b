#include "framework/app/CMultiDocTemplate.h"

#include <algorithm>

#include "framework/app/DocumentLinks.h"
#include "framework/core/Document.h"
#include "framework/windows/CFrameWnd.h"

const CRuntimeClass CMultiDocTemplate::classCMultiDocTemplate{
    "CMultiDocTemplate", &CDocTemplate::classCDocTemplate, nullptr};
const CRuntimeClass* CMultiDocTemplate::GetRuntimeClass() const { return &classCMultiDocTemplate; }

CMultiDocTemplate::~CMultiDocTemplate() {
  // Documents still open when the template goes (application exit) go with it.
  for (CDocument* doc : std::vector<CDocument*>(m_docList)) {
    AfxForgetDocument(doc);
    delete doc;
  }
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc) {
  CDocTemplate::AddDocument(pDoc);
  m_docList.push_back(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc) {
  CDocTemplate::RemoveDocument(pDoc);
  m_docList.erase(std::remove(m_docList.begin(), m_docList.end(), pDoc), m_docList.end());
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument) {
  std::string name;
  if (!GetDocString(name, docName) || name.empty()) name = "Untitled";
  pDocument->SetTitle(name + std::to_string(++m_nUntitledCount));
}

CDocument* CMultiDocTemplate::OpenDocumentFile(const char* lpszPathName, BOOL bMakeVisible) {
  CDocument* doc = CreateNewDocument();
  if (doc == nullptr) return nullptr;

  CFrameWnd* frame = CreateNewFrame(doc, nullptr);
  if (frame == nullptr) {
    RemoveDocument(doc);
    AfxForgetDocument(doc);
    delete doc;
    return nullptr;
  }

  // Only new documents: nothing this template makes is read from a file.
  bool ready = false;
  if (lpszPathName == nullptr) {
    SetDefaultTitle(doc);
    ready = doc->OnNewDocument();
  }
  if (!ready) {
    frame->DestroyWindow();  // its view goes, and the document with its last view
    if (std::find(m_docList.begin(), m_docList.end(), doc) != m_docList.end()) {
      RemoveDocument(doc);
      AfxForgetDocument(doc);
      delete doc;
    }
    return nullptr;
  }
  InitialUpdateFrame(frame, doc, bMakeVisible);
  return doc;
}
