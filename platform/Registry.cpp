#include "platform/Registry.h"

#include <map>
#include <mutex>
#include <string>

#include "platform/RegistryStore.h"

namespace {

struct OpenKey {
  registry_store::KeyPath path;
  REGSAM access = 0;
};

// Open handles by number. Numbers are never reused, so a closed handle stays invalid even
// after later opens.
class HandleTable {
 public:
  // Never destroyed: static objects destroyed at exit or unload (the database session
  // saving its values on close) may still reach the registry.
  static HandleTable& Instance() {
    static HandleTable* const table = new HandleTable;
    return *table;
  }

  bool Find(HKEY handle, OpenKey& key) {
    if (handle == HKEY_LOCAL_MACHINE) {
      key = {registry_store::LocalMachineKey(), KEY_ALL_ACCESS};
      return true;
    }
    std::lock_guard lock(m_mutex);
    const auto found = m_keys.find(reinterpret_cast<uintptr_t>(handle));
    if (found == m_keys.end()) return false;
    key = found->second;
    return true;
  }

  HKEY Add(OpenKey key) {
    std::lock_guard lock(m_mutex);
    if (m_next == reinterpret_cast<uintptr_t>(HKEY_LOCAL_MACHINE)) ++m_next;
    const uintptr_t number = m_next++;
    m_keys.emplace(number, std::move(key));
    return reinterpret_cast<HKEY>(number);
  }

  bool Remove(HKEY handle) {
    std::lock_guard lock(m_mutex);
    return m_keys.erase(reinterpret_cast<uintptr_t>(handle)) == 1;
  }

 private:
  std::mutex m_mutex;
  std::map<uintptr_t, OpenKey> m_keys;
  uintptr_t m_next = 1;
};

// Checks the key's folder for the access asked and hands out a handle to it.
LONG OpenFolder(const registry_store::KeyPath& path, REGSAM desired, HKEY* result) {
  const LONG status = registry_store::CheckKey(path, desired);
  if (status == ERROR_SUCCESS) *result = HandleTable::Instance().Add({path, desired});
  return status;
}

}  // namespace

LONG RegOpenKeyExA(HKEY hKey, const char* subKey, DWORD options, REGSAM desired, HKEY* result) {
  if (!result || options != 0) return ERROR_INVALID_PARAMETER;
  OpenKey parent;
  if (!HandleTable::Instance().Find(hKey, parent)) return ERROR_INVALID_HANDLE;
  registry_store::KeyPath path;
  const LONG status = registry_store::SubKeyPath(parent.path, subKey, path);
  return status == ERROR_SUCCESS ? OpenFolder(path, desired, result) : status;
}

LONG RegCreateKeyExA(HKEY hKey, const char* subKey, DWORD /*reserved*/, char* /*cls*/, DWORD options,
                     REGSAM desired, void* /*security*/, HKEY* result, DWORD* disposition) {
  if (!result || options != REG_OPTION_NON_VOLATILE) return ERROR_INVALID_PARAMETER;
  OpenKey parent;
  if (!HandleTable::Instance().Find(hKey, parent)) return ERROR_INVALID_HANDLE;
  if (!(parent.access & KEY_CREATE_SUB_KEY)) return ERROR_ACCESS_DENIED;
  registry_store::KeyPath path;
  LONG status = registry_store::SubKeyPath(parent.path, subKey, path);
  bool created = false;
  if (status == ERROR_SUCCESS) status = registry_store::CreateKey(path, created);
  if (status == ERROR_SUCCESS) status = OpenFolder(path, desired, result);
  if (status == ERROR_SUCCESS && disposition) {
    *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  }
  return status;
}

LONG RegQueryValueExA(HKEY hKey, const char* name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size) {
  if (reserved || (data && !size)) return ERROR_INVALID_PARAMETER;
  OpenKey key;
  if (!HandleTable::Instance().Find(hKey, key)) return ERROR_INVALID_HANDLE;
  if (!(key.access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;

  DWORD storedType = 0, storedSize = 0;
  const DWORD capacity = size ? *size : 0;
  const LONG status = registry_store::ReadValue(key.path, name, storedType, storedSize, data, capacity);
  if (status != ERROR_SUCCESS) return status;
  if (type) *type = storedType;
  if (size) *size = storedSize;
  return data && capacity < storedSize ? ERROR_MORE_DATA : ERROR_SUCCESS;
}

LONG RegSetValueExA(HKEY hKey, const char* name, DWORD /*reserved*/, DWORD type, const BYTE* data,
                    DWORD size) {
  if (!data && size != 0) return ERROR_INVALID_PARAMETER;
  OpenKey key;
  if (!HandleTable::Instance().Find(hKey, key)) return ERROR_INVALID_HANDLE;
  if (!(key.access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
  return registry_store::WriteValue(key.path, name, type, data, size);
}

LONG RegCloseKey(HKEY hKey) {
  if (hKey == HKEY_LOCAL_MACHINE) return ERROR_SUCCESS;
  return HandleTable::Instance().Remove(hKey) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}
