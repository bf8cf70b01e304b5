// Add Computer: add, rename or delete the computers of the database. Save is the default
// button, so Enter saves; the dialog's OK button is captioned "Close".

#include "res/ControlBuilders.h"
#include "res/Templates.h"

namespace res {

const DialogTemplate& Template7015() {
  using namespace build;
  static const DialogTemplate dialog{
      .id = 7015,
      .caption = "Add Computer",
      .cx = 190,
      .cy = 62,
      .fontName = kFontName,
      .fontSize = kFontSize,
      .style = kModalStyle,
      .controls = {
          Label("Computer Name", {8, 9, 52, 8}),
          DropDownList(7027, {64, 7, 79, 44}),
          PushButton(7012, "Delete", {147, 7, 36, 14}),
          Edit(7028, {64, 23, 79, 14}, ES_AUTOHSCROLL),
          DefPushButton(7011, "Save", {147, 23, 36, 14}),
          PushButton(1, "Close", {68, 41, 50, 14}),
      }};
  return dialog;
}

}  // namespace res
