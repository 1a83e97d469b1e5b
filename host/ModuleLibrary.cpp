#include "host/ModuleLibrary.h"

#include <dlfcn.h>

#include <filesystem>

#include "framework/core/Paths.h"

bool ModuleLibrary::Load(const std::string& path) {
  if (m_handle != nullptr) {
    m_error = "a module is already loaded from " + m_path;
    return false;
  }
  m_path = path;
  if (path.empty()) {
    m_error = "no module path given";
    return false;
  }
  // Local binding keeps the module's symbols out of the global scope: only the
  // factory is reached, through this handle.
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* reason = dlerror();
    m_error = "cannot load " + path + ": " + (reason != nullptr ? reason : "unknown error");
    return false;
  }
  dlerror();
  void* symbol = dlsym(handle, kFactoryName);
  if (symbol == nullptr) {
    m_error = path + " exports no " + kFactoryName;
    dlclose(handle);
    return false;
  }
  m_handle = handle;
  m_factory = reinterpret_cast<Factory>(symbol);
  m_error.clear();
  return true;
}

CMultiDocTemplate* ModuleLibrary::CreateTemplate() const {
  return m_factory != nullptr ? m_factory() : nullptr;
}

std::string DefaultModulePath() {
  const std::filesystem::path program = GetProgramDirectory();
  const std::filesystem::path beside = program / ModuleLibrary::kFileName;
  std::error_code error;
  if (std::filesystem::exists(beside, error)) return beside.string();
  // Relative to the program, so that an installed tree still works when moved.
  const std::filesystem::path installed =
      (program / TASKMETER_PRIVATE_LIBDIR_FROM_PROGRAM / ModuleLibrary::kFileName)
          .lexically_normal();
  if (std::filesystem::exists(installed, error)) return installed.string();
#ifdef TASKMETER_BUILT_MODULE
  if (std::filesystem::exists(TASKMETER_BUILT_MODULE, error)) return TASKMETER_BUILT_MODULE;
#endif
  return beside.string();
}
