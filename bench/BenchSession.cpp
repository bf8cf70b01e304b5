#include "bench/BenchSession.h"

#include <stdexcept>

#include "db/ConfigDatabase.h"
#include "db/RegistryKey.h"

void StoreConnectionString(const std::string& connectionString) {
  RegistryKey key;
  if (key.Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Orvindel\\Veltrane Server") != ERROR_SUCCESS ||
      key.SetValue(connectionString, "ConnectionString") != ERROR_SUCCESS)
    throw std::runtime_error("cannot write the connection string into the registry store");
}

void ConnectAsAdministrator(ConfigDatabase& session, const std::string& connectionString) {
  StoreConnectionString(connectionString);
  if (!session.Connect(1, "admin", "brelk")) throw std::runtime_error("the administrator cannot log in");
}
