#include "framework/app/ModuleState.h"

#include <dlfcn.h>
#include <link.h>

#include <map>
#include <memory>
#include <mutex>

namespace {

struct StateTable {
  std::mutex mutex;
  std::map<HINSTANCE, std::unique_ptr<AFX_MODULE_STATE>> states;
};

StateTable& States() {
  static StateTable table;
  return table;
}

thread_local AFX_MODULE_STATE* t_current = nullptr;

std::map<const AFX_MODULE_STATE*, HINSTANCE>& ResourceHandles() {
  // Allocated on first use and left for thread exit: module states outlive any thread.
  thread_local std::map<const AFX_MODULE_STATE*, HINSTANCE> handles;
  return handles;
}

// The executable is the first object the dynamic loader reports; its handle is the
// address of its ELF header, as dladdr reports for addresses inside it.
int FirstObjectBase(struct dl_phdr_info* info, size_t, void* out) {
  for (int i = 0; i < info->dlpi_phnum; ++i) {
    const ElfW(Phdr)& ph = info->dlpi_phdr[i];
    if (ph.p_type == PT_LOAD && ph.p_offset == 0) {
      *static_cast<std::uintptr_t*>(out) = info->dlpi_addr + ph.p_vaddr;
      return 1;
    }
  }
  return 1;
}

}  // namespace

AFX_MODULE_STATE::AFX_MODULE_STATE(HINSTANCE instance, bool isLibrary)
    : m_hCurrentInstanceHandle(instance), m_bDLL(isLibrary) {}

HINSTANCE AFX_MODULE_STATE::GetResourceHandle() const {
  auto& handles = ResourceHandles();
  auto it = handles.find(this);
  return it == handles.end() ? m_hCurrentInstanceHandle : it->second;
}

void AFX_MODULE_STATE::SetResourceHandle(HINSTANCE handle) { ResourceHandles()[this] = handle; }

HINSTANCE AfxModuleHandleOf(const void* address) {
  Dl_info info{};
  if (address == nullptr || dladdr(address, &info) == 0) return nullptr;
  return static_cast<HINSTANCE>(info.dli_fbase);
}

HINSTANCE AfxExecutableHandle() {
  static const HINSTANCE handle = [] {
    std::uintptr_t base = 0;
    dl_iterate_phdr(FirstObjectBase, &base);
    return reinterpret_cast<HINSTANCE>(base);
  }();
  return handle;
}

AFX_MODULE_STATE* AfxModuleStateOf(HINSTANCE instance) {
  StateTable& table = States();
  std::lock_guard lock(table.mutex);
  auto& slot = table.states[instance];
  if (!slot) {
    slot = std::make_unique<AFX_MODULE_STATE>(instance, instance != AfxExecutableHandle());
  }
  return slot.get();
}

AFX_MODULE_STATE* AfxGetAppModuleState() { return AfxModuleStateOf(AfxExecutableHandle()); }

AFX_MODULE_STATE* AfxGetModuleState() {
  return t_current != nullptr ? t_current : AfxGetAppModuleState();
}

AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* state) {
  AFX_MODULE_STATE* previous = AfxGetModuleState();
  t_current = state;
  return previous;
}

HINSTANCE AfxGetInstanceHandle() { return AfxGetModuleState()->m_hCurrentInstanceHandle; }
HINSTANCE AfxGetResourceHandle() { return AfxGetModuleState()->GetResourceHandle(); }
void AfxSetResourceHandle(HINSTANCE handle) { AfxGetModuleState()->SetResourceHandle(handle); }

AfxResourceHandleGuard::AfxResourceHandleGuard(HINSTANCE handle)
    : m_state(AfxGetModuleState()), m_previous(m_state->GetResourceHandle()) {
  m_state->SetResourceHandle(handle);
}

AfxResourceHandleGuard::~AfxResourceHandleGuard() { m_state->SetResourceHandle(m_previous); }

AfxModuleContextGuard::AfxModuleContextGuard(AFX_MODULE_STATE* state, HINSTANCE resources)
    : m_state(state) {
  if (m_state == nullptr) return;
  m_previousState = AfxSetModuleState(m_state);
  m_previousHandle = m_state->GetResourceHandle();
  m_state->SetResourceHandle(resources);
}

AfxModuleContextGuard::~AfxModuleContextGuard() {
  if (m_state == nullptr) return;
  m_state->SetResourceHandle(m_previousHandle);
  AfxSetModuleState(m_previousState);
}
