#include "module/DLLDocTemplate.h"

#include <new>

#include "accounting/DLLDocument.h"
#include "framework/app/ModuleState.h"
#include "module/ChildFrame.h"
#include "module/DLLDocumentApp.h"
#include "module/MyMultiDocTemplate.h"
#include "res/ResourceIds.h"
#include "view/DLLDocumentView.h"

extern "C" CMultiDocTemplate* DLLDocTemplate() {
  AfxModuleStateGuard state(AfxGetStaticModuleState());
  // Nothing may leave through the C entry point, not even a failed allocation.
  try {
    return new CMyMultiDocTemplate(TheDLLDocumentApp().m_hInstance, IDR_DLLDOCTYPE,
                                   &CDLLDocument::classCDLLDocument, &CChildFrame::classCChildFrame,
                                   &CDLLDocumentView::classCDLLDocumentView);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
