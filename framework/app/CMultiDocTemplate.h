#pragma once

#include <vector>

#include "framework/app/CDocTemplate.h"

// A template that makes a new document, frame and view for every open request.
class CMultiDocTemplate : public CDocTemplate {
 public:
  static const CRuntimeClass classCMultiDocTemplate;
  const CRuntimeClass* GetRuntimeClass() const override;

  using CDocTemplate::CDocTemplate;
  ~CMultiDocTemplate() override;

  // In this order: the document, then its frame and view (the view's creation), then
  // the document's new-document step, then the view's initial update. Returns null and
  // leaves nothing behind when a step fails.
  CDocument* OpenDocumentFile(const char* lpszPathName, BOOL bMakeVisible = TRUE) override;
  void SetDefaultTitle(CDocument* pDocument) override;
  void AddDocument(CDocument* pDoc) override;
  void RemoveDocument(CDocument* pDoc) override;

  const std::vector<CDocument*>& GetDocuments() const { return m_docList; }

 private:
  std::vector<CDocument*> m_docList;
  unsigned m_nUntitledCount = 0;
};
