#pragma once
// What the user-interface tests share: the applet's dialog templates as the current module
// and a scripted backend driven by steps, which also answers every message box.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Backend.h"
#include "framework/ModuleResources.h"
#include "framework/scripted/ScriptSteps.h"
#include "framework/scripted/ScriptedBackend.h"
#include "framework/scripted/ScriptedWindow.h"
#include "res/DialogTemplate.h"
#include "res/Resources.h"

inline const ModuleResources& AppletResources() {
  static const ModuleResources module{&res::FindDialogTemplate, &res::FindBitmapXpm};
  return module;
}

class ScriptedUi {
protected:
  // The run went as scripted, and every step was taken.
  void ExpectScriptFollowed() const {
    EXPECT_EQ(backend.Failure(), "");
    EXPECT_TRUE(steps.AllTaken());
  }
  // The texts of the message boxes shown so far.
  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const MessageBoxRequest& box : steps.Messages()) texts.push_back(box.text);
    return texts;
  }

  ModuleResourceScope module{AppletResources()};
  ScriptSteps steps;
  ScriptedBackend backend{steps};
  BackendScope use{backend};
};
