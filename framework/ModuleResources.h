#pragma once
// Where the framework takes dialog templates, bitmaps and the names of ids from: the resources
// of the library that is the framework's current module. A library makes itself current for
// the length of a call with a ModuleResourceScope, so windows opened in that call use its
// resources.

#include <optional>
#include <span>
#include <string_view>

#include "res/DialogTemplate.h"
#include "res/ResourceNames.h"

struct ModuleResources {
  std::span<const res::DialogTemplate* const> (*dialogTemplates)() = nullptr;  // all it holds
  const char* const* (*findBitmapXpm)(int id) = nullptr;                       // XPM data
  std::span<const res::ResourceName> (*resourceNames)() = nullptr;             // its ids' names

  std::span<const res::DialogTemplate* const> DialogTemplates() const;  // empty when there are none
  const res::DialogTemplate* FindDialogTemplate(int id) const;          // null when there is none
  const char* const* FindBitmapXpm(int id) const;                       // null when there is none
  std::optional<int> FindId(std::string_view name) const;               // nothing for an unknown name
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
