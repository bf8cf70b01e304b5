#pragma once
// The resource ids: dialog templates (IDD_), their controls (IDC_), the banner bitmap (IDB_)
// and the applet's icon (IDI_). A control's id is unique within its dialog only, so one
// number may carry a name in each dialog that uses it. OK and Cancel are the framework's
// IDOK and IDCANCEL.
//
// VELTRANE_RESOURCE_IDS is the one list of them: it applies ID(NAME, VALUE) to each, which
// below makes the constants and in ResourceNames.cpp the table of names that UI scripts use.

// clang-format off
#define VELTRANE_RESOURCE_IDS(ID) \
  /* Dialog templates. */                              \
  ID(IDD_GENERAL, 129)                                 \
  ID(IDD_ABOUT, 132)                                   \
  ID(IDD_ADD_USER, 134)                                \
  ID(IDD_USERS, 2002)                                  \
  ID(IDD_ADD_VIRTUAL_SERVER, 7013)                     \
  ID(IDD_ADD_COMPUTER, 7015)                           \
  ID(IDD_VIRTUAL_SERVERS, 7016)                        \
  ID(IDD_PREFERENCES, 7017)                            \
  ID(IDD_LOG_IN, 7019)                                 \
  ID(IDD_CHANGE_PASSWORD, 7020)                        \
  /* Pictures. */                                      \
  ID(IDB_BANNER, 130)                                  \
  ID(IDI_APPLET, 12000)                                \
  /* Log In, Add User and Change Password. */          \
  ID(IDC_USER_NAME, 1028)                              \
  ID(IDC_PASSWORD, 1013)                               \
  ID(IDC_CONFIRM_PASSWORD, 1014)                       \
  /* General page. */                                  \
  ID(IDC_SERVICE_STATE, 7000)                          \
  ID(IDC_START_SERVICE, 7001)                          \
  ID(IDC_STOP_SERVICE, 7002)                           \
  ID(IDC_GENERAL_COMPUTER, 7007)                       \
  ID(IDC_GENERAL_ADD_COMPUTER, 7016)                   \
  ID(IDC_GENERAL_EDIT_PREFERENCES, 7017)               \
  ID(IDC_GENERAL_VIRTUAL_SERVER, 7018)                 \
  ID(IDC_SHOWN_FTP_PORT, 7019)                         \
  ID(IDC_SHOWN_WELCOME, 7020)                          \
  ID(IDC_SHOWN_GOODBYE, 7021)                          \
  ID(IDC_SHOWN_ANONYMOUS, 7022)                        \
  ID(IDC_SHOWN_MAX_CONNECTIONS, 7023)                  \
  ID(IDC_SHOWN_MAX_PER_IP, 7024)                       \
  ID(IDC_SHOWN_MAX_PER_USER, 7025)                     \
  ID(IDC_SHOWN_TIMEOUT, 7026)                          \
  /* Virtual Servers page. */                          \
  ID(IDC_COMPUTER, 7008)  /* also on the Users page */ \
  ID(IDC_SERVERS_ADD_COMPUTER, 7014)                   \
  ID(IDC_SERVER_LIST, 7007)                            \
  ID(IDC_ADD_SERVER, 7009)                             \
  ID(IDC_EDIT_SERVER, 7011)                            \
  ID(IDC_DELETE_SERVER, 7012)                          \
  ID(IDC_SERVER_PREFERENCES, 7010)                     \
  /* Users page. */                                    \
  ID(IDC_USERS_VIRTUAL_SERVER, 7030)                   \
  ID(IDC_USER_LIST, 2007)                              \
  ID(IDC_ADD_USER, 2004)                               \
  ID(IDC_EDIT_USER, 2005)                              \
  ID(IDC_DELETE_USER, 2006)                            \
  ID(IDC_CHANGE_PASSWORD, 1000)                        \
  /* Add User. */                                      \
  ID(IDC_QUOTA, 7010)                                  \
  ID(IDC_HOME_DIR, 1084)                               \
  ID(IDC_BROWSE_HOME_DIR, 1019)                        \
  ID(IDC_DOWNLOAD, 1053)                               \
  ID(IDC_UPLOAD, 1054)                                 \
  ID(IDC_RENAME, 1055)                                 \
  ID(IDC_DELETE_FILES, 1056)                           \
  ID(IDC_CREATE_DIR, 1057)                             \
  /* Add Virtual Server. */                            \
  ID(IDC_SERVER_ADDRESS, 7008)                         \
  ID(IDC_SERVER_DESCRIPTION, 7009)                     \
  /* Add Computer. */                                  \
  ID(IDC_COMPUTER_CHOICE, 7027)                        \
  ID(IDC_COMPUTER_NAME, 7028)                          \
  ID(IDC_SAVE_COMPUTER, 7011)                          \
  ID(IDC_DELETE_COMPUTER, 7012)                        \
  /* Edit Preferences. */                              \
  ID(IDC_PREFERENCES_CAPTION, 7029)                    \
  ID(IDC_FTP_PORT, 1033)                               \
  ID(IDC_WELCOME, 1038)                                \
  ID(IDC_GOODBYE, 1040)                                \
  ID(IDC_ANONYMOUS, 1000)                              \
  ID(IDC_MAX_CONNECTIONS, 1036)                        \
  ID(IDC_MAX_PER_IP, 1039)                             \
  ID(IDC_MAX_PER_USER, 1041)                           \
  ID(IDC_TIMEOUT, 1037)

// clang-format on

#define VELTRANE_DEFINE_RESOURCE_ID(name, value) inline constexpr int name = value;
VELTRANE_RESOURCE_IDS(VELTRANE_DEFINE_RESOURCE_ID)
#undef VELTRANE_DEFINE_RESOURCE_ID
