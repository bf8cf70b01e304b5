#include "framework/ModuleResources.h"

namespace {

const ModuleResources*& Current() {
  static const ModuleResources none;
  static const ModuleResources* current = &none;
  return current;
}

}  // namespace

std::span<const res::DialogTemplate* const> ModuleResources::DialogTemplates() const {
  return dialogTemplates ? dialogTemplates() : std::span<const res::DialogTemplate* const>();
}

const res::DialogTemplate* ModuleResources::FindDialogTemplate(int id) const {
  for (const res::DialogTemplate* tmpl : DialogTemplates())
    if (tmpl->id == id) return tmpl;
  return nullptr;
}

const char* const* ModuleResources::FindBitmapXpm(int id) const {
  return findBitmapXpm ? findBitmapXpm(id) : nullptr;
}

std::optional<int> ModuleResources::FindId(std::string_view name) const {
  if (!resourceNames) return std::nullopt;
  for (const res::ResourceName& known : resourceNames())
    if (name == known.name) return known.id;
  return std::nullopt;
}

const ModuleResources& CurrentModuleResources() { return *Current(); }

ModuleResourceScope::ModuleResourceScope(const ModuleResources& module) : m_previous(Current()) {
  Current() = &module;
}

ModuleResourceScope::~ModuleResourceScope() { Current() = m_previous; }
