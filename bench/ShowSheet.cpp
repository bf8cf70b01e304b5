#include "bench/ShowSheet.h"

#include "db/ConfigDatabase.h"
#include "framework/ModuleResources.h"
#include "res/Resources.h"
#include "ui/FTPSheet.h"

void ShowSheet(ConfigDatabase& session, int startPage) {
  static const ModuleResources resources{&res::DialogTemplates, &res::FindBitmapXpm, &res::ResourceNames};
  ModuleResourceScope module(resources);
  CFTPSheet sheet("Veltrane Properties", nullptr, static_cast<UINT>(startPage));
  sheet.AttachDatabase(&session);
  sheet.DoModal();
}
