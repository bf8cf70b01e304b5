-- Configuration tables for the embedded SQLite database. Column order is fixed: the applet
-- binds result columns by position. AUTOINCREMENT keeps a deleted key from being handed out
-- again, since other tables refer to keys by value.

CREATE TABLE Users (
  UserID INTEGER PRIMARY KEY AUTOINCREMENT,
  UserName VARCHAR(255),
  Password VARCHAR(255),
  HomeDir VARCHAR(255),
  Permissions INTEGER,
  VirtualServerID INTEGER,
  Flag SMALLINT NOT NULL DEFAULT 0,
  DiskQuota INTEGER,
  WO_UserEmail VARCHAR(255) DEFAULT '',
  WO_UserAdminLevelID INTEGER DEFAULT 0,
  WO_GroupID INTEGER DEFAULT 0,
  WO_PreviousPermissions INTEGER DEFAULT 0,
  WO_NonMD5Password VARCHAR(255) DEFAULT ''
);
-- Account names are unique: of two that add the same name at the same moment, one is refused.
CREATE UNIQUE INDEX Users_UserName ON Users (UserName);
CREATE INDEX Users_VirtualServerID ON Users (VirtualServerID);

CREATE TABLE Preferences (
  PreferenceID INTEGER PRIMARY KEY AUTOINCREMENT,
  Description VARCHAR(255),
  Settings VARCHAR(255),
  VirtualServerID INTEGER
);
CREATE INDEX Preferences_VirtualServerID ON Preferences (VirtualServerID);

CREATE TABLE VirtualServers (
  VServerID INTEGER PRIMARY KEY AUTOINCREMENT,
  VServerIPAddr VARCHAR(255),
  VServerDesc VARCHAR(255),
  VServerGroupID INTEGER
);
CREATE INDEX VirtualServers_VServerIPAddr ON VirtualServers (VServerIPAddr);
CREATE INDEX VirtualServers_VServerGroupID ON VirtualServers (VServerGroupID);

CREATE TABLE VirtualServerGroup (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  Name VARCHAR(255),
  CurrentSite VARCHAR(255)
);
CREATE INDEX VirtualServerGroup_Name ON VirtualServerGroup (Name);

-- The holder of each account's session lock (its Flag), when the holder keeps a proof that
-- it is alive: a lock with a row here whose holder is gone is taken over by the next log-in;
-- a Flag set without a row here (by a program that keeps no proof) is respected.
CREATE TABLE SessionLocks (
  UserID INTEGER PRIMARY KEY,
  Token VARCHAR(32) NOT NULL,
  Holder VARCHAR(255)
);
