// Virtual Servers page: a computer's virtual servers with Add, Edit, Delete and Edit
// Preferences.

#include "res/ControlBuilders.h"
#include "res/ResourceIds.h"
#include "res/Templates.h"

namespace res {

const DialogTemplate& Template7016() {
  using namespace build;
  static const DialogTemplate dialog{
      .id = IDD_VIRTUAL_SERVERS,
      .caption = "Virtual Servers",
      .cx = 290,
      .cy = 191,
      .fontName = kFontName,
      .fontSize = kFontSize,
      .style = kPageStyle,
      .controls =
          {
              Label("Computer Name", {19, 18, 52, 8}),
              DropDownList(IDC_COMPUTER, {75, 16, 102, 44}),
              PushButton(IDC_SERVERS_ADD_COMPUTER, "...", {182, 16, 18, 12}),
              GroupBox("Virtual Servers", {7, 33, 276, 152}),
              ReportList(IDC_SERVER_LIST, {12, 45, 202, 134}),
              PushButton(IDC_ADD_SERVER, "Add", {219, 45, 58, 14}),
              PushButton(IDC_EDIT_SERVER, "Edit", {219, 64, 58, 14}),
              PushButton(IDC_DELETE_SERVER, "Delete", {219, 83, 58, 14}),
              PushButton(IDC_SERVER_PREFERENCES, "Edit Preferences", {219, 102, 58, 14}),
          },
  };
  return dialog;
}

}  // namespace res
