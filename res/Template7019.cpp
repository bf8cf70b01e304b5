// Log In: the fixed user name and the administrator's password.

#include "res/ControlBuilders.h"
#include "res/ResourceIds.h"
#include "res/Templates.h"

namespace res {

const DialogTemplate& Template7019() {
  using namespace build;
  static const DialogTemplate dialog{
      .id = IDD_LOG_IN,
      .caption = "Log In",
      .cx = 185,
      .cy = 62,
      .fontName = kFontName,
      .fontSize = kFontSize,
      .style = kModalStyle,
      .controls =
          {
              // The password comes first in tab order, so it has the focus when the dialog opens.
              Edit(IDC_PASSWORD, {52, 24, 126, 12}, ES_PASSWORD | ES_AUTOHSCROLL),
              DefPushButton(1, "OK", {52, 42, 50, 14}),
              PushButton(2, "Cancel", {108, 42, 50, 14}),
              Edit(IDC_USER_NAME, {52, 7, 126, 12}, ES_READONLY | ES_AUTOHSCROLL),
              Label("User Name:", {7, 9, 42, 8}),
              Label("Password:", {7, 26, 42, 8}),
          },
  };
  return dialog;
}

}  // namespace res
