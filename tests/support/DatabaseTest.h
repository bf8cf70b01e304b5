#pragma once
// The fixture of the database tests, run once per engine: a fresh database,
// connectString pointing at it, the registry store in a temporary folder, and every message
// box recorded and answered.

#include <gtest/gtest.h>

#include <memory>

#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/support/TestDatabase.h"

class DatabaseTest : public ::testing::TestWithParam<Engine> {
 protected:
  void SetUp() override;
  void TearDown() override;

  TestDatabase& Db() { return *m_database; }
  MessageBoxRecorder& Boxes() { return m_boxes; }
  const TemporaryFolder& RegistryRoot() const { return m_registryRoot; }
  std::string AdminFlag() { return Db().QueryValue("SELECT Flag FROM Users WHERE UserName = 'admin'"); }

 private:
  TemporaryFolder m_registryRoot;
  std::unique_ptr<TestDatabase> m_database;
  MessageBoxRecorder m_boxes;
};

// Runs the cases of `fixture` on every available engine, named after it.
#define VELTRANE_ON_ALL_ENGINES(fixture)                                        \
  INSTANTIATE_TEST_SUITE_P(Engines, fixture, ::testing::ValuesIn(AllEngines()), \
                           [](const auto& info) { return EngineName(info.param); })
