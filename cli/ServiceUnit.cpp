#include "cli/ServiceUnit.h"

#include "cli/CliError.h"
#include "db/SessionSettings.h"
#include "service/ServiceBackendSelection.h"

namespace {

std::string StoredUnit() { return ReadSessionSetting(kServiceUnitValue).value_or(""); }

}  // namespace

std::string ConfiguredServiceUnit() { return FtpServiceUnitName(StoredUnit()); }

void StoreServiceUnit(const std::string& unit) {
  if (unit.empty()) throw Refused("the service unit needs a name");
  if (WriteSessionSetting(kServiceUnitValue, unit) != 0)
    throw Refused("the service unit could not be stored in the registry store at " + RegistryStoreFolder());
}

void UseConfiguredServiceUnit() { SelectServiceBackend(StoredUnit()); }
