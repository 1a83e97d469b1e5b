#include "framework/stdcontrols/CStatic.h"

const CRuntimeClass CStatic::classCStatic{"CStatic", &CStdControl::classCStdControl, nullptr};
const CRuntimeClass* CStatic::GetRuntimeClass() const { return &classCStatic; }

BOOL CStatic::Create(const char* lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                     UINT nID) {
  return CWnd::Create("STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}

QWidget* CStatic::CreateWidget(const CREATESTRUCT& cs, QWidget* parent) {
  return MakeControlWidget("STATIC", cs, parent);
}
