#pragma once
// The registry's files: where keys and values live below the store's root, and how a value
// is read and written. The layout is described in Registry.h.

#include <sys/types.h>

#include <string>

#include "platform/Registry.h"

namespace registry_store {

// A key's place: the store's root folder, taken as given (symbolic links included), and
// the key's folders below it, which are never entered through a symbolic link, so that
// whoever may write in the store cannot send another user's process elsewhere.
struct KeyPath {
  std::string root;
  std::string below;  // "HKEY_LOCAL_MACHINE/SOFTWARE/..."
  std::string Folder() const { return root + "/" + below; }
};

// HKEY_LOCAL_MACHINE under the current root.
KeyPath LocalMachineKey();

// The key subKey ("A\B\C") below parent. A null or empty subKey names the parent itself;
// an empty component ("A\\B") is ERROR_INVALID_PARAMETER.
LONG SubKeyPath(const KeyPath& parent, const char* subKey, KeyPath& key);

// ERROR_SUCCESS when the key's folder exists and the process may use it as desired asks.
LONG CheckKey(const KeyPath& key, REGSAM desired);

// A folder with the set-group-ID bit is shared with its group, as the installed store's root
// is (root:veltrane 2770), so that every member of the group may configure: what is made in
// it is shared too, folders 2770 and files 0660. Elsewhere only the owner may use what is
// made, folders 0700 and files 0600 (a connection string may hold a password). This is the
// mode of a new file in folder.
mode_t NewFileMode(const std::string& folder);

// Creates the key's folder and every missing folder above it, each shared as its parent is;
// created tells whether the key's own folder is new.
LONG CreateKey(const KeyPath& key, bool& created);

// Reads the value's type and size, and its data too when capacity holds it. A process
// running as root reads only a value that root wrote under its own name and that nobody
// else may change (see RootTrust.h); another is ERROR_ACCESS_DENIED.
LONG ReadValue(const KeyPath& key, const char* name, DWORD& type, DWORD& size, BYTE* data, DWORD capacity);

// Why ReadValue refuses the value to this process as root ("it was written by alice"); empty
// when it does not, or when the value is not there.
std::string RootDistrust(const KeyPath& key, const char* name);

// Replaces the value whole through a temporary file: mode NewFileMode gives, except that
// root's values in a shared folder are 0640 (members read them and may replace them, but
// not change them in place). A value that already holds these bytes is left as it is,
// unless root would not read it as it stands.
LONG WriteValue(const KeyPath& key, const char* name, DWORD type, const BYTE* data, DWORD size);

}  // namespace registry_store
