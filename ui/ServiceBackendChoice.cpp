#include "ui/ServiceBackendChoice.h"

#include <mutex>

#include "service/ServiceBackendSelection.h"

void SelectServiceBackendOnce() {
  static std::once_flag chosen;
  std::call_once(chosen, SelectServiceBackend);
}
