#pragma once
// The registry's files: where keys and values live below the store's root, and how a value
// is read and written. The layout is described in Registry.h.

#include <sys/types.h>

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

// A folder with the set-group-ID bit is shared with its group, as the installed store's root
// is (root:veltrane 2770), so that every member of the group may configure: what is made in
// it is shared too, folders 2770 and files 0660. Elsewhere only the owner may use what is
// made, folders 0700 and files 0600 (a connection string may hold a password). This is the
// mode of a new file in folder.
mode_t NewFileMode(const std::string& folder);

// Creates the key's folder and every missing folder above it, each shared as its parent is;
// created tells whether the key's own folder is new.
LONG CreateKey(const std::string& folder, bool& created);

// Reads the value's type and size, and its data too when capacity holds it.
LONG ReadValue(const std::string& folder, const char* name, DWORD& type, DWORD& size, BYTE* data,
               DWORD capacity);

// Replaces the value whole through a temporary file, with the mode NewFileMode gives.
LONG WriteValue(const std::string& folder, const char* name, DWORD type, const BYTE* data, DWORD size);

}  // namespace registry_store
