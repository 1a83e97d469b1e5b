#pragma once

#include "framework/app/CMultiDocTemplate.h"

// The template handed to the host. The host calls it under its own module state, so both
// overrides put the library's instance in force as the resource handle while the base
// works, and give the caller its own handle back on every way out.
class CMyMultiDocTemplate : public CMultiDocTemplate {
 public:
  CMyMultiDocTemplate(HINSTANCE hInstResource, UINT nIDResource, const CRuntimeClass* pDocClass,
                      const CRuntimeClass* pFrameClass, const CRuntimeClass* pViewClass);

  void LoadTemplate() override;
  CDocument* OpenDocumentFile(const char* lpszPathName, BOOL bMakeVisible = TRUE) override;

  HINSTANCE GetResourceInstance() const { return m_hInstResource; }

 private:
  HINSTANCE m_hInstResource;
};
