#include "ui/ServiceBackendChoice.h"

#include <mutex>

#include "db/SessionSettings.h"
#include "service/ServiceBackendSelection.h"

void SelectServiceBackendOnce() {
  static std::once_flag chosen;
  std::call_once(chosen, [] { SelectServiceBackend(ReadSessionSetting(kServiceUnitValue).value_or("")); });
}
