#pragma once
// What a process running as root takes from others. Members of the group veltrane may write
// the registry store, and with it the connection string; a root process uses neither a value
// that anyone but root may have written nor a connection string that names code or a file
// by path, unless the administrator says so with the environment variable named for each.

// The effective user is root.
bool RunningAsRoot();

// VELTRANE_ROOT_TRUSTS_GROUP=1: root reads registry values that others wrote or may change.
inline constexpr const char* kRootTrustsGroupVariable = "VELTRANE_ROOT_TRUSTS_GROUP";
bool RootTrustsGroup();

// VELTRANE_ROOT_LOADS_DRIVER_PATHS=1: root connects with a connection string that names a
// driver, a file data source or an extension by path.
inline constexpr const char* kRootLoadsDriverPathsVariable = "VELTRANE_ROOT_LOADS_DRIVER_PATHS";
bool RootLoadsDriverPaths();
