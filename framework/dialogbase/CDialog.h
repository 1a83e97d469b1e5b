#pragma once

#include "framework/windows/CWnd.h"

class QEventLoop;
struct DialogResource;

// A dialog built from a dialog template of the current resource handle. Modal with
// DoModal (its own event loop; the test hook answers it when one is set) or modeless as
// a child window with Create. Escape means Cancel, Enter presses the default button.
// A modal dialog opens centred over the window it belongs to, keeps its template's size
// (unless the template gives it a sizing frame) and has no minimise or maximise button
// unless the template asks for one.
// Dialog objects are owned by their creator (usually on the stack); destroying the
// window never deletes the object.
class CDialog : public CWnd {
  // The generic window's Create stays out of reach: each kind has its own.
  using CWnd::Create;

 public:
  static const CRuntimeClass classCDialog;
  const CRuntimeClass* GetRuntimeClass() const override;

  CDialog() = default;
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

  // Runs the dialog until EndDialog; returns its result (IDOK, IDCANCEL, ...) or -1
  // when the template is missing. Must not be re-entered while running.
  virtual int DoModal();
  // Creates the dialog as a child window of `pParentWnd` (a page, a panel).
  BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  void EndDialog(int nResult);

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();

  BOOL PreTranslateMessage(MSG* pMsg) override;

  // The default button: the one Enter presses.
  void SetDefID(UINT nID);
  DWORD GetDefID() const;
  void MapDialogRect(RECT* rect) const;

  UINT GetTemplateId() const { return m_nIDTemplate; }
  bool IsModalRunning() const { return m_inModal; }

 protected:
  QWidget* CreateWidget(const CREATESTRUCT& cs, QWidget* parent) override;
  const MessageMap* GetMessageMap() const override;

  UINT m_nIDTemplate = 0;
  CWnd* m_pParentWnd = nullptr;

 private:
  BOOL CreateFromTemplate(CWnd* parent, bool asChild);
  // A modal dialog's frame: the template's buttons and size, centred over its owner.
  void PlaceOverOwner(DWORD style);
  LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
  LRESULT HandleGetDefId(WPARAM wParam, LPARAM lParam);
  LRESULT HandleSetDefId(WPARAM wParam, LPARAM lParam);
  void HandleClose();
  void PressDefaultButton();

  CSize m_baseUnits{0, 0};  // of the template the dialog was made from
  bool m_inModal = false;
  bool m_ended = false;
  bool m_asChild = false;
  int m_nModalResult = -1;
  UINT m_defId = 0;
  QEventLoop* m_loop = nullptr;
};
