#pragma once

class CObject;

// The run-time class record: a class name, the record of the base class and, for
// classes that allow dynamic creation, a factory. Templates create their documents
// through it.
struct CRuntimeClass {
  const char* m_lpszClassName = "";
  const CRuntimeClass* m_pBaseClass = nullptr;
  CObject* (*m_pfnCreateObject)() = nullptr;  // nullptr: no dynamic creation

  bool IsDynamicallyCreatable() const { return m_pfnCreateObject != nullptr; }
  // A new object of the class, owned by the caller; nullptr when the class does not
  // allow dynamic creation.
  CObject* CreateObject() const;
  // Whether this class is `base` or derives from it.
  bool IsDerivedFrom(const CRuntimeClass* base) const;
};

// Root of the framework classes that carry a run-time class record.
class CObject {
 public:
  virtual ~CObject() = default;
  virtual const CRuntimeClass* GetRuntimeClass() const;
  bool IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }
  static const CRuntimeClass classCObject;
};

// Declares a class's record and its creator, in the class body.
#define TM_DECLARE_DYNCREATE(ClassName)        \
 public:                                       \
  static const CRuntimeClass class##ClassName; \
  static CObject* CreateObject();              \
  const CRuntimeClass* GetRuntimeClass() const override;

// Defines what TM_DECLARE_DYNCREATE declared, in one source file.
#define TM_IMPLEMENT_DYNCREATE(ClassName, BaseClass)                   \
  CObject* ClassName::CreateObject() { return new ClassName; }         \
  const CRuntimeClass ClassName::class##ClassName {                    \
#ClassName, &BaseClass::class##BaseClass, &ClassName::CreateObject \
  };                                                                   \
  const CRuntimeClass* ClassName::GetRuntimeClass() const { return &class##ClassName; }
