#pragma once

#include <memory>
#include <string>

class CObject;

// The run-time class record: a class name and, for classes that allow dynamic
// creation, a factory. Templates create their documents through it.
struct CRuntimeClass {
  const char* m_lpszClassName = "";
  CObject* (*m_pfnCreateObject)() = nullptr;  // nullptr: no dynamic creation

  bool IsDynamicallyCreatable() const { return m_pfnCreateObject != nullptr; }
  // A new object of the class owned by the caller, or nullptr when the class does
  // not allow dynamic creation.
  CObject* CreateObject() const;
};

// Root of the framework classes that carry a run-time class record.
class CObject {
 public:
  virtual ~CObject() = default;
  virtual const CRuntimeClass* GetRuntimeClass() const;
  static const CRuntimeClass classCObject;
};

// Declares a class's record and a creator. Used in the class body.
#define TM_DECLARE_DYNCREATE(ClassName)        \
 public:                                       \
  static const CRuntimeClass class##ClassName; \
  static CObject* CreateObject();              \
  const CRuntimeClass* GetRuntimeClass() const override;

// Defines what TM_DECLARE_DYNCREATE declared. Used in one .cpp file.
#define TM_IMPLEMENT_DYNCREATE(ClassName)                                                   \
  CObject* ClassName::CreateObject() { return new ClassName; }                              \
  const CRuntimeClass ClassName::class##ClassName { #ClassName, &ClassName::CreateObject }; \
  const CRuntimeClass* ClassName::GetRuntimeClass() const { return &class##ClassName; }
