#include "module/MyMultiDocTemplate.h"

#include "framework/app/ModuleState.h"

CMyMultiDocTemplate::CMyMultiDocTemplate(HINSTANCE hInstResource, UINT nIDResource,
                                         const CRuntimeClass* pDocClass,
                                         const CRuntimeClass* pFrameClass,
                                         const CRuntimeClass* pViewClass)
    : CMultiDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass),
      m_hInstResource(hInstResource) {}

void CMyMultiDocTemplate::LoadTemplate() {
  AfxResourceHandleGuard guard(m_hInstResource);
  CMultiDocTemplate::LoadTemplate();
}

CDocument* CMyMultiDocTemplate::OpenDocumentFile(const char* lpszPathName, BOOL bMakeVisible) {
  AfxResourceHandleGuard guard(m_hInstResource);
  return CMultiDocTemplate::OpenDocumentFile(lpszPathName, bMakeVisible);
}
