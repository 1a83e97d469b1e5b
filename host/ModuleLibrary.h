#pragma once

#include <string>

class CMultiDocTemplate;

// The module's shared library, loaded at run time. The host knows the module only by
// its one exported factory, so nothing of the module is linked into the host.
class ModuleLibrary {
 public:
  // The file name the module is built under.
  static constexpr const char* kFileName = "libtaskmeter-module.so";
  static constexpr const char* kFactoryName = "DLLDocTemplate";

  ModuleLibrary() = default;
  // The library stays loaded: the templates, documents and windows it made run its code
  // until the process ends, and the framework's own exit code may still call into them.
  ~ModuleLibrary() = default;
  ModuleLibrary(const ModuleLibrary&) = delete;
  ModuleLibrary& operator=(const ModuleLibrary&) = delete;

  // Loads the library at `path` and finds its factory. False with Error() set when the
  // file cannot be loaded or has no factory; a second call on a loaded object fails.
  bool Load(const std::string& path);
  bool IsLoaded() const { return m_factory != nullptr; }
  const std::string& Error() const { return m_error; }
  const std::string& Path() const { return m_path; }

  // Calls the factory: a new template owned by the caller, or null.
  CMultiDocTemplate* CreateTemplate() const;

 private:
  using Factory = CMultiDocTemplate* (*)();
  void* m_handle = nullptr;
  Factory m_factory = nullptr;
  std::string m_path;
  std::string m_error;
};

// Where the module is looked for when no path is given: beside the real executable
// (not in the home, which names where the options live), else in the private library
// folder of an installed program, else where the build put it.
std::string DefaultModulePath();
