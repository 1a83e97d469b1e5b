#pragma once

#include "framework/app/CWinApp.h"

// The library's application object. There is exactly one, constructed when the library
// is loaded: it owns the library's instance handle, under which the template finds the
// library's resources.
class CDLLDocumentApp : public CWinApp {
 public:
  CDLLDocumentApp() = default;
  ~CDLLDocumentApp() override;
};

// The one instance.
CDLLDocumentApp& TheDLLDocumentApp();
