#include "db/SessionSettings.h"

#include "db/RegistryKey.h"
#include "platform/RegistryStore.h"

std::optional<std::string> ReadSessionSetting(const char* name) {
  RegistryKey key;
  std::string value;
  if (key.Open(HKEY_LOCAL_MACHINE, kSessionKeyPath, KEY_QUERY_VALUE) != ERROR_SUCCESS ||
      ReadRegistryString(key, name, value) != ERROR_SUCCESS)
    return std::nullopt;
  return value;
}

long WriteSessionSetting(const char* name, const std::string& value) {
  RegistryKey key;
  if (const LONG result = key.Create(HKEY_LOCAL_MACHINE, kSessionKeyPath); result != ERROR_SUCCESS)
    return result;
  return key.SetValue(value, name);
}

std::string RegistryStoreFolder() { return registry_store::LocalMachineKey().root; }
