#include "module/DLLDocumentApp.h"

#include "framework/resources/Resources.h"
#include "res/ModuleResourceTable.h"

namespace {

// Static, so both live exactly as long as the library. The application comes first: the
// resources are registered under the instance handle it found for the library.
CDLLDocumentApp theApp;
const ModuleResources g_resources(theApp.m_hInstance, ModuleResourceTable());

}  // namespace

CDLLDocumentApp::~CDLLDocumentApp() = default;

CDLLDocumentApp& TheDLLDocumentApp() { return theApp; }
