// Change Password: a new password, twice, for the user named at the top.

#include "res/ControlBuilders.h"
#include "res/ResourceIds.h"
#include "res/Templates.h"

namespace res {

const DialogTemplate& Template7020() {
  using namespace build;
  static const DialogTemplate dialog{
      .id = IDD_CHANGE_PASSWORD,
      .caption = "Change Password",
      .cx = 185,
      .cy = 81,
      .fontName = kFontName,
      .fontSize = kFontSize,
      .style = kModalStyle,
      .controls =
          {
              Label("User Name", {10, 8, 36, 8}),
              Edit(IDC_USER_NAME, {52, 7, 126, 12}, ES_READONLY | ES_AUTOHSCROLL),
              Label("Password", {10, 25, 36, 12}),
              Edit(IDC_PASSWORD, {51, 25, 126, 12}, ES_PASSWORD),
              Label("Confirm", {10, 43, 24, 8}),
              Edit(IDC_CONFIRM_PASSWORD, {52, 42, 126, 12}, ES_PASSWORD),
              DefPushButton(1, "OK", {51, 60, 50, 14}),
              PushButton(2, "Cancel", {109, 60, 50, 14}),
          },
  };
  return dialog;
}

}  // namespace res
