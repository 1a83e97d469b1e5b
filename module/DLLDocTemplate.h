#pragma once

class CMultiDocTemplate;

// The library's only exported function. The host finds it by this plain name (dlsym),
// calls it once and owns the template it returns; null when it could not be made.
extern "C" __attribute__((visibility("default"))) CMultiDocTemplate* DLLDocTemplate();

// The type the host casts the looked-up symbol to.
using DLLDocTemplateFn = CMultiDocTemplate* (*)();
inline constexpr const char kDLLDocTemplateSymbol[] = "DLLDocTemplate";
