#pragma once
// Where the framework takes dialog templates and bitmaps from: the resources of the library
// that is the framework's current module. A library makes itself current for the length of
// a call with a ModuleResourceScope, so windows opened in that call use its resources.

#include "res/DialogTemplate.h"

struct ModuleResources {
  const res::DialogTemplate* (*findDialogTemplate)(int id) = nullptr;
  const char* const* (*findBitmapXpm)(int id) = nullptr;  // XPM data

  const res::DialogTemplate* FindDialogTemplate(int id) const;  // null when there is none
  const char* const* FindBitmapXpm(int id) const;              // null when there is none
};

// The current module's resources (none at all until a scope makes a module current).
const ModuleResources& CurrentModuleResources();

class ModuleResourceScope {
public:
  explicit ModuleResourceScope(const ModuleResources& module);
  ~ModuleResourceScope();
  ModuleResourceScope(const ModuleResourceScope&) = delete;
  ModuleResourceScope& operator=(const ModuleResourceScope&) = delete;

private:
  const ModuleResources* m_previous;
};
