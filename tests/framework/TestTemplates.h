#pragma once
// Small dialog templates for the framework's tests, served as the current module's resources.

#include "framework/ModuleResources.h"

namespace test_templates {

// Dialog 100 "Record": name edit 10, count edit 11 (int), digits edit 12, read-only edit 13,
// check box 14, combo box 15, list view 16, button 17 "Add", disabled button 18, OK, Cancel.
inline constexpr int kRecord = 100;
// Dialog 101 "Nested": edit 20, OK, Cancel.
inline constexpr int kNested = 101;
// Pages 200 "First", 201 "Second" (int edit 30), 202 "Third".
inline constexpr int kFirstPage = 200;
inline constexpr int kSecondPage = 201;
inline constexpr int kThirdPage = 202;
// A bitmap that exists, for an SS_BITMAP static in page 202.
inline constexpr int kBitmap = 300;

const ModuleResources& Module();

}  // namespace test_templates
