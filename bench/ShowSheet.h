#pragma once
// The sheet "Veltrane Properties" on the session, opened on one of its pages, shown until
// the current backend closes it.

class ConfigDatabase;

inline constexpr int kGeneralPage = 0;
inline constexpr int kUsersPage = 2;

void ShowSheet(ConfigDatabase& session, int startPage);
