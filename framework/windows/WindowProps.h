#pragma once

#include <QVariant>
#include <QWidget>

#include "framework/messages/WinTypes.h"

class CWnd;
struct AFX_MODULE_STATE;

// What a window stores on its widget, so that every wrapper of the widget (permanent or
// temporary) reads the same id and style.
namespace wndprops {

inline constexpr const char* kWnd = "tm_cwnd";
inline constexpr const char* kId = "tm_id";
inline constexpr const char* kStyle = "tm_style";
inline constexpr const char* kExStyle = "tm_exstyle";
inline constexpr const char* kModuleState = "tm_module_state";
inline constexpr const char* kResourceHandle = "tm_resource_handle";

inline CWnd* Wnd(const QWidget* w) {
  return w == nullptr ? nullptr : static_cast<CWnd*>(w->property(kWnd).value<void*>());
}
inline void SetWnd(QWidget* w, CWnd* wnd) {
  w->setProperty(kWnd, wnd == nullptr ? QVariant() : QVariant::fromValue(static_cast<void*>(wnd)));
}
inline int Id(const QWidget* w) {
  const QVariant v = w->property(kId);
  return v.isValid() ? v.toInt() : 0;
}
inline bool HasId(const QWidget* w) { return w->property(kId).isValid(); }
inline void SetId(QWidget* w, int id) { w->setProperty(kId, id); }
inline void ClearId(QWidget* w) { w->setProperty(kId, QVariant()); }
inline DWORD Style(const QWidget* w) { return w->property(kStyle).toUInt(); }
inline void SetStyle(QWidget* w, DWORD style) { w->setProperty(kStyle, style); }
inline DWORD ExStyle(const QWidget* w) { return w->property(kExStyle).toUInt(); }
inline void SetExStyle(QWidget* w, DWORD style) { w->setProperty(kExStyle, style); }

// The module state and resource handle in force when the widget was made.
inline AFX_MODULE_STATE* ModuleState(const QWidget* w) {
  return static_cast<AFX_MODULE_STATE*>(w->property(kModuleState).value<void*>());
}
inline HINSTANCE ResourceHandle(const QWidget* w) {
  return static_cast<HINSTANCE>(w->property(kResourceHandle).value<void*>());
}
// Records the current module state and resource handle on `w`, unless it has them.
void RecordModuleContext(QWidget* w);

}  // namespace wndprops
