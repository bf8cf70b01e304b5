#pragma once
// The fixture of the database tests, run once per engine: a fresh database,
// connectString pointing at it, the registry store in a temporary folder, and every failure
// the model reports recorded.

#include <gtest/gtest.h>

#include <memory>

#include "tests/support/FailureRecorder.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/support/TestDatabase.h"

class DatabaseTest : public ::testing::TestWithParam<Engine> {
 protected:
  void SetUp() override;
  void TearDown() override;

  TestDatabase& Db() { return *m_database; }
  FailureRecorder& Failures() { return m_failures; }
  const TemporaryFolder& RegistryRoot() const { return m_registryRoot; }
  std::string AdminFlag() { return Db().QueryValue("SELECT Flag FROM Users WHERE UserName = 'admin'"); }

 private:
  TemporaryFolder m_registryRoot;
  std::unique_ptr<TestDatabase> m_database;
  FailureRecorder m_failures;
};

// Runs the cases of `fixture` on every available engine, named after it.
#define VELTRANE_ON_ALL_ENGINES(fixture)                                        \
  INSTANTIATE_TEST_SUITE_P(Engines, fixture, ::testing::ValuesIn(AllEngines()), \
                           [](const auto& info) { return EngineName(info.param); })
