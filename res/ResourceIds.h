#pragma once
// The resource ids: dialog templates (IDD_), their controls (IDC_), the banner bitmap (IDB_)
// and the applet's icon (IDI_). A control's id is unique within its dialog only, so one
// number may carry a name in each dialog that uses it. OK and Cancel are the framework's
// IDOK and IDCANCEL.

// Dialog templates.
inline constexpr int IDD_GENERAL = 129;
inline constexpr int IDD_ABOUT = 132;
inline constexpr int IDD_ADD_USER = 134;
inline constexpr int IDD_USERS = 2002;
inline constexpr int IDD_ADD_VIRTUAL_SERVER = 7013;
inline constexpr int IDD_ADD_COMPUTER = 7015;
inline constexpr int IDD_VIRTUAL_SERVERS = 7016;
inline constexpr int IDD_PREFERENCES = 7017;
inline constexpr int IDD_LOG_IN = 7019;
inline constexpr int IDD_CHANGE_PASSWORD = 7020;

// Pictures.
inline constexpr int IDB_BANNER = 130;
inline constexpr int IDI_APPLET = 12000;

// Log In, Add User and Change Password.
inline constexpr int IDC_USER_NAME = 1028;
inline constexpr int IDC_PASSWORD = 1013;
inline constexpr int IDC_CONFIRM_PASSWORD = 1014;

// General page.
inline constexpr int IDC_SERVICE_STATE = 7000;
inline constexpr int IDC_START_SERVICE = 7001;
inline constexpr int IDC_STOP_SERVICE = 7002;
inline constexpr int IDC_GENERAL_COMPUTER = 7007;
inline constexpr int IDC_GENERAL_ADD_COMPUTER = 7016;
inline constexpr int IDC_GENERAL_EDIT_PREFERENCES = 7017;
inline constexpr int IDC_GENERAL_VIRTUAL_SERVER = 7018;
inline constexpr int IDC_SHOWN_FTP_PORT = 7019;
inline constexpr int IDC_SHOWN_WELCOME = 7020;
inline constexpr int IDC_SHOWN_GOODBYE = 7021;
inline constexpr int IDC_SHOWN_ANONYMOUS = 7022;
inline constexpr int IDC_SHOWN_MAX_CONNECTIONS = 7023;
inline constexpr int IDC_SHOWN_MAX_PER_IP = 7024;
inline constexpr int IDC_SHOWN_MAX_PER_USER = 7025;
inline constexpr int IDC_SHOWN_TIMEOUT = 7026;

// Virtual Servers page.
inline constexpr int IDC_COMPUTER = 7008;  // also on the Users page
inline constexpr int IDC_SERVERS_ADD_COMPUTER = 7014;
inline constexpr int IDC_SERVER_LIST = 7007;
inline constexpr int IDC_ADD_SERVER = 7009;
inline constexpr int IDC_EDIT_SERVER = 7011;
inline constexpr int IDC_DELETE_SERVER = 7012;
inline constexpr int IDC_SERVER_PREFERENCES = 7010;

// Users page.
inline constexpr int IDC_USERS_VIRTUAL_SERVER = 7030;
inline constexpr int IDC_USER_LIST = 2007;
inline constexpr int IDC_ADD_USER = 2004;
inline constexpr int IDC_EDIT_USER = 2005;
inline constexpr int IDC_DELETE_USER = 2006;
inline constexpr int IDC_CHANGE_PASSWORD = 1000;

// Add User.
inline constexpr int IDC_QUOTA = 7010;
inline constexpr int IDC_HOME_DIR = 1084;
inline constexpr int IDC_BROWSE_HOME_DIR = 1019;
inline constexpr int IDC_DOWNLOAD = 1053;
inline constexpr int IDC_UPLOAD = 1054;
inline constexpr int IDC_RENAME = 1055;
inline constexpr int IDC_DELETE_FILES = 1056;
inline constexpr int IDC_CREATE_DIR = 1057;

// Add Virtual Server.
inline constexpr int IDC_SERVER_ADDRESS = 7008;
inline constexpr int IDC_SERVER_DESCRIPTION = 7009;

// Add Computer.
inline constexpr int IDC_COMPUTER_CHOICE = 7027;
inline constexpr int IDC_COMPUTER_NAME = 7028;
inline constexpr int IDC_SAVE_COMPUTER = 7011;
inline constexpr int IDC_DELETE_COMPUTER = 7012;

// Edit Preferences.
inline constexpr int IDC_PREFERENCES_CAPTION = 7029;
inline constexpr int IDC_FTP_PORT = 1033;
inline constexpr int IDC_WELCOME = 1038;
inline constexpr int IDC_GOODBYE = 1040;
inline constexpr int IDC_ANONYMOUS = 1000;
inline constexpr int IDC_MAX_CONNECTIONS = 1036;
inline constexpr int IDC_MAX_PER_IP = 1039;
inline constexpr int IDC_MAX_PER_USER = 1041;
inline constexpr int IDC_TIMEOUT = 1037;
