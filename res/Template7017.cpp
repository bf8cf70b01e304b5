// Edit Preferences: the eight preferences of one virtual server. Each label comes just
// before its field, so that its mnemonic moves the focus there.

#include "res/ControlBuilders.h"
#include "res/ResourceIds.h"
#include "res/Templates.h"

namespace res {

const DialogTemplate& Template7017() {
  using namespace build;
  static const DialogTemplate dialog{
      .id = IDD_PREFERENCES,
      .caption = "Edit Preferences",
      .cx = 287,
      .cy = 143,
      .fontName = kFontName,
      .fontSize = kFontSize,
      .style = kModalStyle,
      .controls =
          {
              Label("", {8, 9, 119, 8},
                    IDC_PREFERENCES_CAPTION),  // "Preferences for <address>", set by the caller
              Label("FTP &Port:", {8, 24, 31, 12}),
              Edit(IDC_FTP_PORT, {77, 24, 50, 12}, ES_NUMBER),
              Label("&Welcome Message:", {8, 41, 64, 12}),
              Edit(IDC_WELCOME, {77, 40, 202, 12}, ES_AUTOHSCROLL),
              Label("&Goodbye Message:", {8, 57, 62, 12}),
              Edit(IDC_GOODBYE, {77, 56, 202, 12}, ES_AUTOHSCROLL),
              AutoCheckBox(IDC_ANONYMOUS, "Allow Anonymous Login", {77, 72, 91, 10}),
              Label("&Max. concurrent connections:", {8, 87, 96, 12}),
              Edit(IDC_MAX_CONNECTIONS, {105, 88, 50, 12}, ES_AUTOHSCROLL),
              Label("Max. co&nnections/IP:", {160, 88, 69, 12}),
              Edit(IDC_MAX_PER_IP, {230, 88, 50, 12}, ES_AUTOHSCROLL),
              Label("Max. co&nnections/User:", {8, 103, 78, 12}),
              Edit(IDC_MAX_PER_USER, {105, 103, 50, 12}, ES_AUTOHSCROLL),
              Label("&Timeout (minutes):", {160, 103, 66, 12}),
              Edit(IDC_TIMEOUT, {230, 103, 50, 12}, ES_NUMBER),
              DefPushButton(1, "OK", {91, 122, 50, 14}),
              PushButton(2, "Cancel", {147, 122, 50, 14}),
          },
  };
  return dialog;
}

}  // namespace res
