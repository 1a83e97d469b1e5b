#pragma once

#include <QPointer>
#include <map>
#include <memory>
#include <string>

#include "framework/app/ModuleState.h"
#include "framework/messages/CCmdTarget.h"

class CBrush;
class CDC;
class QSize;
class QTimer;
class QWidget;
class CDataExchange;
class CFrameWnd;
class WndEventBridge;

// A queued message as the input path sees it before dispatch.
struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  POINT pt;
};

// Virtual key codes the framework itself looks at.
constexpr UINT VK_RETURN = 0x0D;
constexpr UINT VK_ESCAPE = 0x1B;
constexpr UINT VK_DELETE = 0x2E;
constexpr UINT VK_F1 = 0x70;
constexpr UINT VK_F2 = 0x71;

// SetWindowPos flags.
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;

// A window: owns (or wraps) one real Qt widget, turns the widget's events into window
// messages and dispatches them through its message map. The widget carries the
// window's numeric id and style, so that any wrapper of it sees the same values.
//
// Messages the framework carries in a way of its own: WM_SETTEXT takes a `const char*`
// and WM_GETTEXT a `std::string*` in lParam.
class CWnd : public CCmdTarget {
 public:
  static const CRuntimeClass classCWnd;
  const CRuntimeClass* GetRuntimeClass() const override;

  CWnd();
  ~CWnd() override;

  // The permanent wrapper of `hwnd`, or a temporary one made for it (owned by the widget
  // and deleted with it). Null for a null handle.
  static CWnd* FromHandle(HWND hwnd);
  static CWnd* FromHandlePermanent(HWND hwnd);

  HWND GetSafeHwnd() const;
  QWidget* GetWidget() const { return GetSafeHwnd(); }
  BOOL IsWindow() const { return GetSafeHwnd() != nullptr; }

  // Creation: PreCreateWindow may change the parameters, CreateWidget makes the widget,
  // WM_CREATE follows (a result of -1 destroys the window and fails the creation). After
  // a failure PostNcDestroy has run, so a self-deleting window object is gone.
  virtual BOOL Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                      const RECT& rect, CWnd* pParentWnd, UINT nID,
                      CCreateContext* pContext = nullptr);
  BOOL CreateEx(DWORD dwExStyle, const char* lpszClassName, const char* lpszWindowName,
                DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                void* lpParam = nullptr);
  virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
  virtual BOOL DestroyWindow();

  // Wrapping an existing widget (a control made from a dialog template).
  BOOL Attach(HWND hwnd);
  HWND Detach();
  BOOL SubclassWindow(HWND hwnd);
  BOOL SubclassDlgItem(UINT nID, CWnd* pParent);

  // Messages.
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  virtual BOOL PreTranslateMessage(MSG* pMsg);

  // Identity and family.
  int GetDlgCtrlID() const;
  void SetDlgCtrlID(int nID);
  CWnd* GetParent() const;
  CWnd* GetDlgItem(int nID) const;
  CFrameWnd* GetParentFrame() const;
  CWnd* GetTopLevelParent() const;

  // Text and state.
  void SetWindowText(const char* text);
  void SetWindowText(const std::string& text) { SetWindowText(text.c_str()); }
  void GetWindowText(std::string& text) const;
  std::string GetWindowText() const;
  BOOL EnableWindow(BOOL bEnable = TRUE);  // returns whether it was disabled before
  BOOL IsWindowEnabled() const;
  BOOL ShowWindow(int nCmdShow);  // returns whether it was visible before
  BOOL IsWindowVisible() const;   // shown, and all its parents too
  BOOL IsZoomed() const;
  BOOL IsIconic() const;
  DWORD GetStyle() const;
  DWORD GetExStyle() const;
  BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);

  // Geometry in pixels; window rectangles in screen coordinates.
  void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
  void MoveWindow(const RECT& rect, BOOL bRepaint = TRUE);
  BOOL SetWindowPos(const CWnd* pInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
  void GetClientRect(RECT* rect) const;
  void GetWindowRect(RECT* rect) const;
  void ScreenToClient(POINT* point) const;
  void ScreenToClient(RECT* rect) const;
  void ClientToScreen(POINT* point) const;
  void ClientToScreen(RECT* rect) const;
  void Invalidate(BOOL bErase = TRUE);
  void UpdateWindow();

  // Focus and mouse capture.
  CWnd* SetFocus();
  static CWnd* GetFocus();
  CWnd* SetCapture();
  static CWnd* GetCapture();

  // Timers deliver WM_TIMER with the id in wParam.
  UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, void* lpfnTimer = nullptr);
  BOOL KillTimer(UINT_PTR nIDEvent);

  // Dialog-style helpers on child controls.
  void SetDlgItemText(int nID, const char* text);
  void SetDlgItemText(int nID, const std::string& text) { SetDlgItemText(nID, text.c_str()); }
  std::string GetDlgItemText(int nID) const;
  void SetDlgItemInt(int nID, UINT value, BOOL bSigned = TRUE);
  UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
  void CheckDlgButton(int nID, UINT nCheck);
  UINT IsDlgButtonChecked(int nID) const;

  int MessageBox(const char* lpszText, const char* lpszCaption = nullptr, UINT nType = MB_OK);

  // Data exchange between the controls and members (DoDataExchange).
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
  virtual void DoDataExchange(CDataExchange* pDX);

  // Called by the event bridge; the single entry of every message.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Looks in this window's map under the window's module state.
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  // Every window keeps the module state (and resource handle) in force when its widget
  // was made, and handles all its messages, commands and paints under it, so that a
  // handler of a library's window finds the library's dialogs, bitmaps and strings
  // whoever called in.
  AfxModuleContextGuard EnterModuleContext() const;

 protected:
  virtual QWidget* CreateWidget(const CREATESTRUCT& cs, QWidget* parent);
  virtual void PreSubclassWindow();
  virtual void PostNcDestroy();

  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  // A notification (WM_COMMAND or WM_NOTIFY) this control sent to its parent, offered
  // back to it before the parent's own map; TRUE when the control took it.
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  // Default handling of the message being dispatched.
  LRESULT Default();

  // Base handlers of the messages; each does the default handling.
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void OnSize(UINT nType, int cx, int cy);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnTimer(UINT_PTR nIDEvent);
  void OnContextMenu(CWnd* pWnd, CPoint pos);
  BOOL OnHelpInfo(HELPINFO* pHelpInfo);
  CBrush* OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  void OnDestroy();
  void OnClose();

  const MessageMap* GetMessageMap() const override;

  // Cleared when the object is destroyed: callers that dispatch into code which may
  // delete the window (PostNcDestroy) copy it first and check it afterwards.
  std::shared_ptr<bool> m_alive;

 private:
  friend class WndEventBridge;

  void AttachWidget(QWidget* widget, bool owned);
  void SendPendingResize(QSize before);
  BOOL ReflectToControl(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  void DestroyTree();
  bool TakeInputPassThrough();

  QPointer<QWidget> m_widget;
  AFX_MODULE_STATE* m_moduleState = nullptr;
  HINSTANCE m_resourceHandle = nullptr;
  bool m_ownsWidget = false;
  bool m_temporary = false;
  bool m_passToWidget = false;
  std::unique_ptr<WndEventBridge> m_bridge;
  std::map<UINT_PTR, std::unique_ptr<QTimer>> m_timers;
  // The message being dispatched, for Default().
  MSG m_current;
};

// Posting and sending by handle. HWND_BROADCAST reaches every top-level window of the
// process; a null handle posts to the calling thread's own queue.
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL ReleaseCapture();
