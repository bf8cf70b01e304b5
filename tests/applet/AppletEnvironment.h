#pragma once
// What the applet finds when it connects: a private registry store whose connection string
// names a fresh configuration database.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "db/RegistryKey.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/support/TestDatabase.h"

class AppletEnvironment {
 public:
  // The database is SQLite's unless an available engine is named (a test on an engine that
  // is not there skips itself).
  explicit AppletEnvironment(Engine engine = Engine::SQLite)
      : db(IsAvailable(engine) ? engine : Engine::SQLite) {
    setenv("VELTRANE_REGISTRY_ROOT", registryRoot.Path().c_str(), 1);
    SetConnectionString(db.ConnectionString());
  }

  static void SetConnectionString(const std::string& text) {
    RegistryKey key;
    EXPECT_EQ(key.Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Orvindel\\Veltrane Server"), ERROR_SUCCESS);
    EXPECT_EQ(key.SetValue(text, "ConnectionString"), ERROR_SUCCESS);
  }

  // The session lock of the administrator's account: "1" while a session holds it.
  std::string AdminFlag() const { return db.QueryValue("SELECT Flag FROM Users WHERE UserName = 'admin'"); }

  TemporaryFolder registryRoot;
  TestDatabase db;
};
