#include "service/ServiceBackendSelection.h"

#include <cstdlib>
#include <map>
#include <memory>

#include "db/SessionSettings.h"
#include "platform/ServiceManager.h"
#include "platform/SystemdServiceBackend.h"
#include "service/FtpServiceControl.h"

std::string FtpServiceUnitName(const std::string& configured) {
  const char* overriding = std::getenv(kFtpServiceUnitVariable);
  std::string unit = overriding != nullptr && *overriding != '\0' ? overriding : configured;
  if (unit.empty()) return kDefaultFtpServiceUnit;
  if (unit.find('.') == std::string::npos) unit += ".service";
  return unit;
}

namespace {

std::string StoredUnit() { return ReadSessionSetting(kServiceUnitValue).value_or(""); }

}  // namespace

std::string ConfiguredFtpServiceUnit() { return FtpServiceUnitName(StoredUnit()); }

void SelectServiceBackend(const std::string& configuredUnit) {
  if (!SystemdServiceBackend::SystemBusAnswers()) {
    SetServiceControlBackend(nullptr);
    return;
  }
  SetServiceControlBackend(std::make_shared<SystemdServiceBackend>(
      std::map<std::string, std::string>{{kFtpServiceName, FtpServiceUnitName(configuredUnit)}}));
}

void SelectConfiguredServiceBackend() { SelectServiceBackend(StoredUnit()); }
