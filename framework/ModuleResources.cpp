#include "framework/ModuleResources.h"

namespace {

const ModuleResources*& Current() {
  static const ModuleResources none;
  static const ModuleResources* current = &none;
  return current;
}

}  // namespace

const res::DialogTemplate* ModuleResources::FindDialogTemplate(int id) const {
  return findDialogTemplate ? findDialogTemplate(id) : nullptr;
}

const char* const* ModuleResources::FindBitmapXpm(int id) const {
  return findBitmapXpm ? findBitmapXpm(id) : nullptr;
}

const ModuleResources& CurrentModuleResources() { return *Current(); }

ModuleResourceScope::ModuleResourceScope(const ModuleResources& module) : m_previous(Current()) {
  Current() = &module;
}

ModuleResourceScope::~ModuleResourceScope() { Current() = m_previous; }
