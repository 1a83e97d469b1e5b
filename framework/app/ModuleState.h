#pragma once

#include "framework/messages/WinTypes.h"

class CWinApp;

// Every shared object that holds resources (the host executable, a module library) has
// a module state: its instance handle (the object's load address), its application
// object, and per thread the resource handle under which resources are looked up. The
// current module state is kept per thread; a module switches to its own state when the
// host calls into it, and a template switches the resource handle while it builds its
// windows.
struct AFX_MODULE_STATE {
  explicit AFX_MODULE_STATE(HINSTANCE instance, bool isLibrary);
  AFX_MODULE_STATE(const AFX_MODULE_STATE&) = delete;
  AFX_MODULE_STATE& operator=(const AFX_MODULE_STATE&) = delete;

  HINSTANCE m_hCurrentInstanceHandle;
  bool m_bDLL;
  CWinApp* m_pCurrentWinApp = nullptr;

  // The resource handle of this module for the calling thread; the instance handle
  // until someone sets another.
  HINSTANCE GetResourceHandle() const;
  void SetResourceHandle(HINSTANCE handle);
};

// The load address of the shared object (or executable) that contains `address`;
// null for addresses outside any loaded object (stack, heap).
HINSTANCE AfxModuleHandleOf(const void* address);
HINSTANCE AfxExecutableHandle();

// The state of the module loaded at `instance`, made on first use. The executable's
// state is the one every thread starts in.
AFX_MODULE_STATE* AfxModuleStateOf(HINSTANCE instance);
AFX_MODULE_STATE* AfxGetAppModuleState();

AFX_MODULE_STATE* AfxGetModuleState();
// Returns the previous state. Null restores the executable's state.
AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* state);

// The module state of the shared object this is compiled into: hidden visibility gives
// every library (and the executable) its own copy of the marker.
__attribute__((visibility("hidden"))) inline AFX_MODULE_STATE* AfxGetStaticModuleState() {
  static const char marker = 0;
  return AfxModuleStateOf(AfxModuleHandleOf(&marker));
}

HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE handle);

// Switches the thread's current module state for a scope (an entry from the host).
class AfxModuleStateGuard {
 public:
  explicit AfxModuleStateGuard(AFX_MODULE_STATE* state) : m_previous(AfxSetModuleState(state)) {}
  ~AfxModuleStateGuard() { AfxSetModuleState(m_previous); }
  AfxModuleStateGuard(const AfxModuleStateGuard&) = delete;
  AfxModuleStateGuard& operator=(const AfxModuleStateGuard&) = delete;

 private:
  AFX_MODULE_STATE* m_previous;
};

// Puts a window's module state and resource handle in force for a scope: every message a
// window handles runs under the state it was created under (see CWnd). A null state
// changes nothing.
class AfxModuleContextGuard {
 public:
  AfxModuleContextGuard(AFX_MODULE_STATE* state, HINSTANCE resources);
  ~AfxModuleContextGuard();
  AfxModuleContextGuard(const AfxModuleContextGuard&) = delete;
  AfxModuleContextGuard& operator=(const AfxModuleContextGuard&) = delete;

 private:
  AFX_MODULE_STATE* m_state;
  AFX_MODULE_STATE* m_previousState = nullptr;
  HINSTANCE m_previousHandle = nullptr;
};

// Puts `handle` in force as the current module state's resource handle for a scope and
// restores the caller's handle on every way out, exceptions included.
class AfxResourceHandleGuard {
 public:
  explicit AfxResourceHandleGuard(HINSTANCE handle);
  ~AfxResourceHandleGuard();
  AfxResourceHandleGuard(const AfxResourceHandleGuard&) = delete;
  AfxResourceHandleGuard& operator=(const AfxResourceHandleGuard&) = delete;

 private:
  AFX_MODULE_STATE* m_state;
  HINSTANCE m_previous;
};
