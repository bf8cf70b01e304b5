#include "db/RegistryKey.h"

#include <algorithm>
#include <vector>

LONG RegistryKey::Open(HKEY parent, const char* path, REGSAM access) {
  HKEY opened = nullptr;
  const LONG result = RegOpenKeyExA(parent, path, 0, access, &opened);
  if (result == ERROR_SUCCESS) Replace(opened);
  return result;
}

LONG RegistryKey::Create(HKEY parent, const char* path) {
  HKEY created = nullptr;
  const LONG result = RegCreateKeyExA(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                      nullptr, &created, nullptr);
  if (result == ERROR_SUCCESS) Replace(created);
  return result;
}

void RegistryKey::Replace(HKEY handle) {
  Close();
  m_handle = handle;
}

LONG RegistryKey::QueryValue(const char* name, BYTE* buffer, DWORD* size) {
  DWORD type = 0;
  return RegQueryValueExA(m_handle, name, nullptr, &type, buffer, size);
}

LONG RegistryKey::SetValue(const std::string& text, const char* name) {
  return RegSetValueExA(m_handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>(text.size() + 1));
}

LONG RegistryKey::Close() {
  if (!m_handle) return ERROR_SUCCESS;
  const LONG result = RegCloseKey(m_handle);
  m_handle = nullptr;
  return result;
}

LONG ReadRegistryString(RegistryKey& key, const char* name, std::string& text) {
  std::vector<BYTE> buffer(260);
  for (;;) {
    auto size = static_cast<DWORD>(buffer.size());
    const LONG result = key.QueryValue(name, buffer.data(), &size);
    if (result == ERROR_MORE_DATA) {  // a longer value: grow to the size it asks for and read again
      buffer.resize(std::max<size_t>(size, buffer.size() * 2));
      continue;
    }
    if (result != ERROR_SUCCESS) return result;
    const auto* begin = reinterpret_cast<const char*>(buffer.data());
    text.assign(begin, std::find(begin, begin + size, '\0'));
    return ERROR_SUCCESS;
  }
}
