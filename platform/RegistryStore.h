#pragma once
// The registry's files: where keys and values live below the store's root, and how a value
// is read and written. The layout is described in Registry.h.

#include <string>

#include "platform/Registry.h"

namespace registry_store {

// The folder of HKEY_LOCAL_MACHINE under the current root.
std::string LocalMachineFolder();

// The folder of the key subKey ("A\B\C") below the key in parentFolder. A null or empty
// subKey names the parent itself; an empty component ("A\\B") is ERROR_INVALID_PARAMETER.
LONG SubKeyFolder(const std::string& parentFolder, const char* subKey, std::string& folder);

// ERROR_SUCCESS when the key's folder exists and the process may use it as desired asks.
LONG CheckKey(const std::string& folder, REGSAM desired);

// Creates the key's folder and every missing folder above it, owner-only; created tells
// whether the key's own folder is new.
LONG CreateKey(const std::string& folder, bool& created);

// Reads the value's type and size, and its data too when capacity holds it.
LONG ReadValue(const std::string& folder, const char* name, DWORD& type, DWORD& size, BYTE* data,
               DWORD capacity);

// Replaces the value whole through a temporary file.
LONG WriteValue(const std::string& folder, const char* name, DWORD type, const BYTE* data, DWORD size);

}  // namespace registry_store
