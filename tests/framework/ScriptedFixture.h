#pragma once
// A test with the test templates as the current module and a scripted backend driven by steps.

#include <gtest/gtest.h>

#include "framework/Backend.h"
#include "framework/ModuleResources.h"
#include "tests/support/ScriptSteps.h"
#include "framework/scripted/ScriptedBackend.h"
#include "framework/scripted/ScriptedWindow.h"
#include "tests/framework/TestTemplates.h"

class ScriptedFixture : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_EQ(backend.Failure(), "");
    EXPECT_TRUE(steps.AllTaken());
  }

  ModuleResourceScope module{test_templates::Module()};
  ScriptSteps steps;
  ScriptedBackend backend{steps};
  BackendScope use{backend};
};
