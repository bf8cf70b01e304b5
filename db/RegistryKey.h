#pragma once
// Holds one registry key handle, or none; closing it (or destroying it) releases the handle.
// Opening or creating replaces a held handle only once the new one has been obtained.

#include <string>

#include "platform/Registry.h"

class RegistryKey {
 public:
  RegistryKey() = default;
  ~RegistryKey() { Close(); }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  // Each returns 0 or the platform's error code.
  LONG Open(HKEY parent, const char* path, REGSAM access);
  LONG Create(HKEY parent, const char* path);
  LONG QueryValue(const char* name, BYTE* buffer, DWORD* size);
  // Stores `text` as REG_SZ, its terminating zero included.
  LONG SetValue(const std::string& text, const char* name);
  LONG Close();

 private:
  void Replace(HKEY handle);

  HKEY m_handle = nullptr;
};

// Reads a string value of any length into `text`, ended at its first zero; on any failure
// `text` is left as it was. Returns 0 or the platform's error code.
LONG ReadRegistryString(RegistryKey& key, const char* name, std::string& text);
