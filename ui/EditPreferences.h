#pragma once
// Editing a virtual server's preferences, as the General and Virtual Servers pages offer it.

#include <cstdint>
#include <string>

class CWnd;

// Shows the Edit Preferences dialog over the preferences the database holds for the virtual
// server `serverId` at `address`. On OK, writes back the rows the user changed and adds the
// rows that were missing (all eight for a virtual server without any) and answers true.
bool EditPreferences(CWnd* owner, int32_t serverId, const std::string& address);
