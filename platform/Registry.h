#pragma once
// A per-machine registry with the calls and error codes of the Win32 originals.
//
// The store is a folder tree under one root: /var/lib/veltrane/registry, or the folder that
// the environment variable VELTRANE_REGISTRY_ROOT names (read at every open of a key below
// HKEY_LOCAL_MACHINE). A key is a folder, its path kept as it stands:
//     <root>/HKEY_LOCAL_MACHINE/SOFTWARE/Orvindel/Veltrane Server/
// A value is a file in its key's folder named "=" and the value name ("=" alone for the
// unnamed value); it holds the type in decimal, a space, its own file name and a newline,
// then the data bytes unchanged (files written before names were kept hold the type alone).
// In names, "%", "/", "=", "~", control bytes and a leading "." are written as %XX; a name
// too long for the file system is cut and ends in "~" and the MD5 digest of its full form.
// Names are matched exactly (case-sensitive). Folders and files are created readable by
// their owner alone (a connection string may hold a password), or by the owner and the group
// below a root folder with the set-group-ID bit (2770 and 0660: the group may configure;
// root's own values there are 0640). Folders below the root are never entered, and values
// never opened, through a symbolic link. Every value is written to a temporary file that
// then replaces the old one, so a reader sees the old value or the new, never a part.
//
// A process running as root reads only a value that root wrote, under its own name, and that
// nobody else may change; any other is ERROR_ACCESS_DENIED unless VELTRANE_ROOT_TRUSTS_GROUP=1
// (RootTrust.h). Members of the group may write the store, and root must not take from them
// a connection string, which names code for the driver manager to load.

#include <cstdint>

#include "platform/WinTypes.h"

struct RegistryKeyHandle;  // never defined: handles are opaque numbers
using HKEY = RegistryKeyHandle*;

inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(uintptr_t{0x80000002});

// Access rights.
inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr REGSAM KEY_READ = 0x20019;
inline constexpr REGSAM KEY_WRITE = 0x20006;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

// Value types.
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_BINARY = 3;

// Key options and the dispositions RegCreateKeyExA reports.
inline constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
inline constexpr DWORD REG_CREATED_NEW_KEY = 1;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Win32 error codes for store failures beyond those of WinTypes.h.
inline constexpr LONG ERROR_DISK_FULL = 112;
inline constexpr LONG ERROR_BADDB = 1009;  // a value file that is not in the store's format
inline constexpr LONG ERROR_IO_DEVICE = 1117;

// Opens an existing key below hKey; subKey null or empty opens hKey again. Options must be 0.
LONG RegOpenKeyExA(HKEY hKey, const char* subKey, DWORD options, REGSAM desired, HKEY* result);

// Opens the key, creating it and every missing key above it. cls and security are ignored;
// options must be REG_OPTION_NON_VOLATILE. disposition, when given, receives
// REG_CREATED_NEW_KEY or REG_OPENED_EXISTING_KEY.
LONG RegCreateKeyExA(HKEY hKey, const char* subKey, DWORD reserved, char* cls, DWORD options, REGSAM desired,
                     void* security, HKEY* result, DWORD* disposition);

// Reads a value (name null or empty: the unnamed value). With data null, *size receives the
// value's size. A buffer smaller than the value gives ERROR_MORE_DATA, the needed size in
// *size and the buffer untouched. reserved must be null.
LONG RegQueryValueExA(HKEY hKey, const char* name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size);

// Stores size bytes from data as the value, replacing it whole. Strings are stored as given:
// pass the terminating zero in size to keep it.
LONG RegSetValueExA(HKEY hKey, const char* name, DWORD reserved, DWORD type, const BYTE* data, DWORD size);

// Releases a handle; a closed or unknown handle gives ERROR_INVALID_HANDLE. Closing
// HKEY_LOCAL_MACHINE succeeds and leaves it usable.
LONG RegCloseKey(HKEY hKey);
