#include "cli/ServiceUnit.h"

#include "cli/CliError.h"
#include "db/SessionSettings.h"

void CheckServiceUnitName(const std::string& unit) {
  if (unit.empty()) throw Refused("the service unit needs a name");
}

void StoreServiceUnit(const std::string& unit) {
  CheckServiceUnitName(unit);
  if (WriteSessionSetting(kServiceUnitValue, unit) != 0)
    throw Refused("the service unit could not be stored in the registry store at " + RegistryStoreFolder());
}
