#pragma once

#include <vector>

#include "framework/messages/WinTypes.h"

class CDocument;
class CDocTemplate;
class CObject;
class CView;

// The windowing side of a document: its template and the views that show it. The
// document class itself stays free of windows; these links live here.
void AfxAddView(CDocument* doc, CView* view);
// Removing the last view closes the document and lets its template delete it.
void AfxRemoveView(CDocument* doc, CView* view);
std::vector<CView*> AfxGetViews(const CDocument* doc);

void AfxSetDocTemplate(CDocument* doc, CDocTemplate* tmpl);
CDocTemplate* AfxGetDocTemplate(const CDocument* doc);
// Forgets everything about `doc` (it is being deleted).
void AfxForgetDocument(const CDocument* doc);

// Asks every view of `doc` except `sender` to update itself.
void UpdateAllViews(CDocument* doc, CView* sender, LPARAM lHint = 0, CObject* pHint = nullptr);
