#pragma once

#include <string>

#include "framework/messages/CCmdTarget.h"

class CDocument;
class CFrameWnd;
struct MenuResource;

// Binds a document class, a frame class and a view class (run-time class records) to
// the resources with one id: the document string and the shared menu.
class CDocTemplate : public CCmdTarget {
 public:
  static const CRuntimeClass classCDocTemplate;
  const CRuntimeClass* GetRuntimeClass() const override;

  // The fields of the document string, in their order, separated by '\n'.
  enum DocStringIndex {
    windowTitle,
    docName,
    fileNewName,
    filterName,
    filterExt,
    regFileTypeId,
    regFileTypeName,
  };

  CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
               const CRuntimeClass* pViewClass);

  // Loads the document string and the shared menu under the current resource handle.
  virtual void LoadTemplate();
  // False (and an empty string) when the field is missing.
  virtual BOOL GetDocString(std::string& rString, DocStringIndex index) const;

  // Opens a document (a new unnamed one when the path is null); null on failure.
  virtual CDocument* OpenDocumentFile(const char* lpszPathName, BOOL bMakeVisible = TRUE) = 0;
  virtual CDocument* CreateNewDocument();
  virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
  virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
  virtual void SetDefaultTitle(CDocument* pDocument);
  virtual void AddDocument(CDocument* pDoc);
  virtual void RemoveDocument(CDocument* pDoc);

  const MenuResource* GetSharedMenu() const { return m_hMenuShared; }
  UINT GetResourceId() const { return m_nIDResource; }

 protected:
  UINT m_nIDResource;
  const CRuntimeClass* m_pDocClass;
  const CRuntimeClass* m_pFrameClass;
  const CRuntimeClass* m_pViewClass;
  std::string m_strDocStrings;
  const MenuResource* m_hMenuShared = nullptr;
};
