#include "framework/resources/Resources.h"

#include <algorithm>
#include <map>
#include <mutex>

#include "framework/app/ModuleState.h"

namespace {

struct Registry {
  std::mutex mutex;
  std::multimap<HINSTANCE, const ResourceTable*> tables;
};

Registry& Tables() {
  static Registry registry;
  return registry;
}

template <class Item, class Pick, class Match>
const Item* FindIn(HINSTANCE instance, Pick pick, Match match) {
  Registry& registry = Tables();
  std::lock_guard lock(registry.mutex);
  auto [first, last] = registry.tables.equal_range(instance);
  for (auto it = first; it != last; ++it) {
    const auto& items = pick(*it->second);
    auto found = std::find_if(items.begin(), items.end(), match);
    if (found != items.end()) return &*found;
  }
  return nullptr;
}

template <class Finder>
auto FindCurrent(Finder finder) -> decltype(finder(nullptr)) {
  if (auto* found = finder(AfxGetResourceHandle())) return found;
  return finder(AfxGetInstanceHandle());
}

}  // namespace

ModuleResources::ModuleResources(const ResourceTable& table)
    : ModuleResources(AfxModuleHandleOf(&table), table) {}

ModuleResources::ModuleResources(HINSTANCE instance, const ResourceTable& table)
    : m_instance(instance), m_table(&table) {
  Registry& registry = Tables();
  std::lock_guard lock(registry.mutex);
  registry.tables.emplace(m_instance, m_table);
}

ModuleResources::~ModuleResources() {
  Registry& registry = Tables();
  std::lock_guard lock(registry.mutex);
  auto [first, last] = registry.tables.equal_range(m_instance);
  for (auto it = first; it != last; ++it) {
    if (it->second == m_table) {
      registry.tables.erase(it);
      break;
    }
  }
}

const StringResource* FindStringIn(HINSTANCE instance, UINT id) {
  return FindIn<StringResource>(
      instance, [](const ResourceTable& t) -> const auto& { return t.strings; },
      [id](const StringResource& r) { return r.id == id; });
}

const MenuResource* FindMenuIn(HINSTANCE instance, UINT id) {
  return FindIn<MenuResource>(
      instance, [](const ResourceTable& t) -> const auto& { return t.menus; },
      [id](const MenuResource& r) { return r.id == id; });
}

const DialogResource* FindDialogIn(HINSTANCE instance, UINT id) {
  return FindIn<DialogResource>(
      instance, [](const ResourceTable& t) -> const auto& { return t.dialogs; },
      [id](const DialogResource& r) { return r.id == id; });
}

const ImageResource* FindImageIn(HINSTANCE instance, UINT id, ImageKind kind) {
  return FindIn<ImageResource>(
      instance, [](const ResourceTable& t) -> const auto& { return t.images; },
      [id, kind](const ImageResource& r) { return r.id == id && r.kind == kind; });
}

const StringResource* AfxFindString(UINT id) {
  return FindCurrent([id](HINSTANCE h) { return FindStringIn(h, id); });
}
const MenuResource* AfxFindMenu(UINT id) {
  return FindCurrent([id](HINSTANCE h) { return FindMenuIn(h, id); });
}
const DialogResource* AfxFindDialog(UINT id) {
  return FindCurrent([id](HINSTANCE h) { return FindDialogIn(h, id); });
}
const ImageResource* AfxFindImage(UINT id, ImageKind kind) {
  return FindCurrent([id, kind](HINSTANCE h) { return FindImageIn(h, id, kind); });
}

std::string AfxLoadString(UINT id) {
  const StringResource* found = AfxFindString(id);
  return found != nullptr && found->text != nullptr ? found->text : "";
}
