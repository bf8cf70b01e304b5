#pragma once
// Small helpers the database tests share: rows as text and the session's registry values.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/SessionSettings.h"
#include "digest/Digest.h"
#include "tests/support/DatabaseTest.h"

using Rows = std::vector<std::vector<std::string>>;

// A value of the session's registry key, or "(missing)".
inline std::string RegistryValue(const char* name) { return ReadSessionSetting(name).value_or("(missing)"); }

inline void SetRegistryValue(const char* name, const std::string& value) {
  ASSERT_EQ(WriteSessionSetting(name, value), 0);
}

// The digest the model stores for a password.
inline std::string Digest(const std::string& text) {
  return DigestBytes(text.data(), static_cast<uint32_t>(text.size()));
}

// A database test whose session connects through the registry, as the programs do.
class SessionDatabaseTest : public DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    if (!IsSkipped()) SetRegistryValue("ConnectionString", Db().ConnectionString());
  }
};
