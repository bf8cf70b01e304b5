#pragma once
// The usage text of veltrane-admin, printed by --help and after a usage error.

extern const char* const kUsage;
