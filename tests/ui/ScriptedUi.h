#pragma once
// The real dialog templates as the current module and a scripted backend driven by steps,
// for the tests of pages and dialogs. Every message box goes to the steps.

#include <gtest/gtest.h>

#include "framework/Backend.h"
#include "framework/ModuleResources.h"
#include "framework/scripted/ScriptSteps.h"
#include "framework/scripted/ScriptedBackend.h"
#include "framework/scripted/ScriptedWindow.h"
#include "res/DialogTemplate.h"
#include "res/Resources.h"

struct ScriptedUi {
  void ExpectScriptDone() const {
    EXPECT_EQ(backend.Failure(), "");
    EXPECT_TRUE(steps.AllTaken());
  }
  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : steps.Messages()) texts.push_back(box.text);
    return texts;
  }

  ModuleResources resources{&res::FindDialogTemplate, &res::FindBitmapXpm};
  ModuleResourceScope module{resources};
  ScriptSteps steps;
  ScriptedBackend backend{steps};
  BackendScope use{backend};
};

// The entries of a combo box, in order.
inline std::vector<std::string> Entries(const ScriptedWindow& w, int id) {
  std::vector<std::string> entries;
  for (int row = 0; row < w.Count(id); ++row) entries.push_back(w.Cell(id, row, 0));
  return entries;
}
