#pragma once
// The names bash completion offers (cli/veltrane-admin.bash): computers, addresses and
// account names, written after each command that logged in, so that completing never asks
// for a password. The file is $XDG_CACHE_HOME/veltrane-admin/names (else under
// ~/.cache), readable by its owner alone, one "KIND<tab>NAME" a line; a name holding a
// control character is left out. Nothing is said when it cannot be written.

void WriteNameCache();
