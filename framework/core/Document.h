#pragma once

#include <string>

#include "framework/core/RuntimeClass.h"

// The document base without any windowing: title, modified flag, the new-document
// step and close. The Qt layer connects documents to their frames and views.
class CDocument : public CObject {
 public:
  CDocument() = default;
  ~CDocument() override = default;
  CDocument(const CDocument&) = delete;
  CDocument& operator=(const CDocument&) = delete;

  const CRuntimeClass* GetRuntimeClass() const override;
  static const CRuntimeClass classCDocument;

  // Starts an unnamed document: empties the contents, forgets the path and clears the
  // modified flag.
  virtual bool OnNewDocument();
  // Ends the document: empties its contents. Whoever owns the document destroys it.
  virtual void OnCloseDocument();
  // Whether a frame showing the document may close: asks SaveModified only when there
  // are unsaved changes.
  virtual bool CanCloseFrame();
  // The answer to unsaved changes; the base has nothing to save and agrees.
  virtual bool SaveModified() { return true; }
  // Empties the contents; the base holds none.
  virtual void DeleteContents() {}

  const std::string& GetTitle() const { return m_strTitle; }
  virtual void SetTitle(const std::string& title) { m_strTitle = title; }
  const std::string& GetPathName() const { return m_strPathName; }

  bool IsModified() const { return m_bModified; }
  void SetModifiedFlag(bool modified = true) { m_bModified = modified; }

  // Whether OnCloseDocument has run.
  bool IsClosed() const { return m_bClosed; }

 private:
  std::string m_strTitle;
  std::string m_strPathName;
  bool m_bModified = false;
  bool m_bClosed = false;
};
