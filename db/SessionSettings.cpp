#include "db/SessionSettings.h"

#include "db/RegistryKey.h"
#include "platform/RegistryStore.h"
#include "platform/RootTrust.h"

std::optional<std::string> ReadSessionSetting(const char* name, long* error) {
  RegistryKey key;
  std::string value;
  LONG result = key.Open(HKEY_LOCAL_MACHINE, kSessionKeyPath, KEY_QUERY_VALUE);
  if (result == ERROR_SUCCESS) result = ReadRegistryString(key, name, value);
  if (error) *error = result;
  if (result != ERROR_SUCCESS) return std::nullopt;
  return value;
}

std::string RootRefusalOf(const char* name) {
  registry_store::KeyPath key;
  if (registry_store::SubKeyPath(registry_store::LocalMachineKey(), kSessionKeyPath, key) != ERROR_SUCCESS)
    return {};
  const std::string distrust = registry_store::RootDistrust(key, name);
  if (distrust.empty()) return {};
  return std::string("as root, the ") + name + " in " + RegistryStoreFolder() + " is not used: " + distrust +
         ". Run this as a member of the store's group, store the one you mean as root (veltrane-admin init "
         "...), or set " +
         kRootTrustsGroupVariable + "=1 to use it anyway";
}

long WriteSessionSetting(const char* name, const std::string& value) {
  RegistryKey key;
  if (const LONG result = key.Create(HKEY_LOCAL_MACHINE, kSessionKeyPath); result != ERROR_SUCCESS)
    return result;
  return key.SetValue(value, name);
}

std::string RegistryStoreFolder() { return registry_store::LocalMachineKey().root; }
