#pragma once

#include "framework/windows/CView.h"

// A view whose face is a dialog template: its controls are made from the template
// (found under the resource handle in force when the view is created) and reached by
// their ids.
class CFormView : public CView {
 public:
  static const CRuntimeClass classCFormView;
  const CRuntimeClass* GetRuntimeClass() const override;

  explicit CFormView(UINT nIDTemplate);

  BOOL Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
              const RECT& rect, CWnd* pParentWnd, UINT nID,
              CCreateContext* pContext = nullptr) override;

  // Exchanges data into the controls, then the view's update.
  void OnInitialUpdate() override;

  // The template's size in pixels.
  CSize GetTotalSize() const { return m_totalSize; }
  // Resizes the parent frame so that the form fits (a maximised frame takes that size
  // when it is restored).
  void ResizeParentToFit(BOOL bShrinkOnly = TRUE);

  // The smallest size at which the form's own layout still holds; the windows around it
  // keep at least this much room for it. 0 by 0: no limit.
  CSize GetMinimumSize() const { return m_minimumSize; }
  void SetMinimumSize(CSize size) { m_minimumSize = size; }

  UINT GetTemplateId() const { return m_nIDTemplate; }

 protected:
  UINT m_nIDTemplate;

 private:
  CSize m_totalSize;
  CSize m_minimumSize{0, 0};
};
