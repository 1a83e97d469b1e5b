#include "framework/app/DocumentLinks.h"

#include <algorithm>
#include <map>

#include "framework/app/CDocTemplate.h"
#include "framework/core/Document.h"
#include "framework/windows/CView.h"

namespace {

struct Links {
  CDocTemplate* tmpl = nullptr;
  std::vector<CView*> views;
};

// User-interface thread only, like the windows themselves.
std::map<const CDocument*, Links>& AllLinks() {
  static std::map<const CDocument*, Links> links;
  return links;
}

}  // namespace

void AfxAddView(CDocument* doc, CView* view) {
  if (doc == nullptr || view == nullptr) return;
  auto& views = AllLinks()[doc].views;
  if (std::find(views.begin(), views.end(), view) == views.end()) views.push_back(view);
}

void AfxRemoveView(CDocument* doc, CView* view) {
  auto it = AllLinks().find(doc);
  if (it == AllLinks().end()) return;
  auto& views = it->second.views;
  views.erase(std::remove(views.begin(), views.end(), view), views.end());
  if (!views.empty()) return;
  // The last view is gone: the document ends with it.
  CDocTemplate* tmpl = it->second.tmpl;
  doc->OnCloseDocument();
  if (tmpl != nullptr) {
    tmpl->RemoveDocument(doc);
    AfxForgetDocument(doc);
    delete doc;
  }
}

std::vector<CView*> AfxGetViews(const CDocument* doc) {
  auto it = AllLinks().find(doc);
  return it == AllLinks().end() ? std::vector<CView*>{} : it->second.views;
}

void AfxSetDocTemplate(CDocument* doc, CDocTemplate* tmpl) {
  if (doc != nullptr) AllLinks()[doc].tmpl = tmpl;
}

CDocTemplate* AfxGetDocTemplate(const CDocument* doc) {
  auto it = AllLinks().find(doc);
  return it == AllLinks().end() ? nullptr : it->second.tmpl;
}

void AfxForgetDocument(const CDocument* doc) { AllLinks().erase(doc); }

void UpdateAllViews(CDocument* doc, CView* sender, LPARAM lHint, CObject* pHint) {
  for (CView* view : AfxGetViews(doc)) {
    if (view != sender) view->OnUpdate(sender, lHint, pHint);
  }
}
