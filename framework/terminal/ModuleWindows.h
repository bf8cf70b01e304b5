#pragma once
// The smallest screen that holds every window a module's dialog templates make: each dialog,
// and a sheet of all its pages (the pages of a module make up one sheet).

#include "framework/terminal/Surface.h"

struct ModuleResources;

CellSize SmallestScreenFor(const ModuleResources& module);
