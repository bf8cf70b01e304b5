// Virtual Servers page: a computer's virtual servers with Add, Edit, Delete and Edit
// Preferences.

#include "res/ControlBuilders.h"
#include "res/Templates.h"

namespace res {

const DialogTemplate& Template7016() {
  using namespace build;
  static const DialogTemplate dialog{
      .id = 7016,
      .caption = "Virtual Servers",
      .cx = 290,
      .cy = 191,
      .fontName = kFontName,
      .fontSize = kFontSize,
      .style = kPageStyle,
      .controls = {
          Label("Computer Name", {19, 18, 52, 8}),
          DropDownList(7008, {75, 16, 102, 44}),
          PushButton(7014, "...", {182, 16, 18, 12}),
          GroupBox("Virtual Servers", {7, 33, 276, 152}),
          ReportList(7007, {12, 45, 202, 134}),
          PushButton(7009, "Add", {219, 45, 58, 14}),
          PushButton(7011, "Edit", {219, 64, 58, 14}),
          PushButton(7012, "Delete", {219, 83, 58, 14}),
          PushButton(7010, "Edit Preferences", {219, 102, 58, 14}),
      }};
  return dialog;
}

}  // namespace res
