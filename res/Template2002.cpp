// Users page: the accounts of a computer or virtual server, with Add, Edit, Delete and
// Change Password.

#include "res/ControlBuilders.h"
#include "res/ResourceIds.h"
#include "res/Templates.h"

namespace res {

const DialogTemplate& Template2002() {
  using namespace build;
  static const DialogTemplate dialog{
      .id = IDD_USERS,
      .caption = "Users",
      .cx = 290,
      .cy = 186,
      .fontName = kFontName,
      .fontSize = kFontSize,
      .style = kPageStyle,
      .controls =
          {
              Label("Computer Name", {7, 8, 52, 8}),
              DropDownList(IDC_COMPUTER, {63, 6, 87, 44}),
              Label("Virtual Server", {158, 8, 43, 8}),
              DropDownList(IDC_USERS_VIRTUAL_SERVER, {206, 6, 77, 44}),
              ReportList(IDC_USER_LIST, {7, 24, 276, 122}),
              Label("*Permissions: (U)pload, (D)ownload, (R)ename, (C)reate, (E)rase", {15, 151, 200, 8}),
              PushButton(IDC_ADD_USER, "Add", {22, 165, 50, 14}),
              PushButton(IDC_EDIT_USER, "Edit", {81, 165, 50, 14}),
              PushButton(IDC_DELETE_USER, "Delete", {140, 165, 50, 14}),
              PushButton(IDC_CHANGE_PASSWORD, "Change Password", {199, 165, 68, 14}),
          },
  };
  return dialog;
}

}  // namespace res
