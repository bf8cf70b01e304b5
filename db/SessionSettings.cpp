#include "db/SessionSettings.h"

#include "db/RegistryKey.h"
#include "platform/RegistryStore.h"

std::optional<std::string> ReadSessionSetting(const char* name, long* error) {
  RegistryKey key;
  std::string value;
  LONG result = key.Open(HKEY_LOCAL_MACHINE, kSessionKeyPath, KEY_QUERY_VALUE);
  if (result == ERROR_SUCCESS) result = ReadRegistryString(key, name, value);
  if (error) *error = result;
  if (result != ERROR_SUCCESS) return std::nullopt;
  return value;
}

long WriteSessionSetting(const char* name, const std::string& value) {
  RegistryKey key;
  if (const LONG result = key.Create(HKEY_LOCAL_MACHINE, kSessionKeyPath); result != ERROR_SUCCESS)
    return result;
  return key.SetValue(value, name);
}

std::string RegistryStoreFolder() { return registry_store::LocalMachineKey().root; }
