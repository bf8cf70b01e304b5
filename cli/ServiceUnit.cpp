#include "cli/ServiceUnit.h"

#include "cli/CliError.h"
#include "db/SessionSettings.h"

void StoreServiceUnit(const std::string& unit) {
  if (unit.empty()) throw Refused("the service unit needs a name");
  if (WriteSessionSetting(kServiceUnitValue, unit) != 0)
    throw Refused("the service unit could not be stored in the registry store at " + RegistryStoreFolder());
}
