// Edit Preferences: the eight preferences of one virtual server. Each label comes just
// before its field, so that its mnemonic moves the focus there.

#include "res/ControlBuilders.h"
#include "res/Templates.h"

namespace res {

const DialogTemplate& Template7017() {
  using namespace build;
  static const DialogTemplate dialog{
      .id = 7017,
      .caption = "Edit Preferences",
      .cx = 287,
      .cy = 143,
      .fontName = kFontName,
      .fontSize = kFontSize,
      .style = kModalStyle,
      .controls = {
          Label("", {8, 9, 119, 8}, 7029),  // "Preferences for <address>", set by the caller
          Label("FTP &Port:", {8, 24, 31, 12}),
          Edit(1033, {77, 24, 50, 12}, ES_NUMBER),
          Label("&Welcome Message:", {8, 41, 64, 12}),
          Edit(1038, {77, 40, 202, 12}, ES_AUTOHSCROLL),
          Label("&Goodbye Message:", {8, 57, 62, 12}),
          Edit(1040, {77, 56, 202, 12}, ES_AUTOHSCROLL),
          AutoCheckBox(1000, "Allow Anonymous Login", {77, 72, 91, 10}),
          Label("&Max. concurrent connections:", {8, 87, 96, 12}),
          Edit(1036, {105, 88, 50, 12}, ES_AUTOHSCROLL),
          Label("Max. co&nnections/IP:", {160, 88, 69, 12}),
          Edit(1039, {230, 88, 50, 12}, ES_AUTOHSCROLL),
          Label("Max. co&nnections/User:", {8, 103, 78, 12}),
          Edit(1041, {105, 103, 50, 12}, ES_AUTOHSCROLL),
          Label("&Timeout (minutes):", {160, 103, 66, 12}),
          Edit(1037, {230, 103, 50, 12}, ES_NUMBER),
          DefPushButton(1, "OK", {91, 122, 50, 14}),
          PushButton(2, "Cancel", {147, 122, 50, 14}),
      }};
  return dialog;
}

}  // namespace res
