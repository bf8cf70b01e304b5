// Add Computer: add, rename or delete the computers of the database. Save is the default
// button, so Enter saves; the dialog's OK button is captioned "Close".

#include "res/ControlBuilders.h"
#include "res/ResourceIds.h"
#include "res/Templates.h"

namespace res {

const DialogTemplate& Template7015() {
  using namespace build;
  static const DialogTemplate dialog{
      .id = IDD_ADD_COMPUTER,
      .caption = "Add Computer",
      .cx = 190,
      .cy = 62,
      .fontName = kFontName,
      .fontSize = kFontSize,
      .style = kModalStyle,
      .controls =
          {
              Label("Computer Name", {8, 9, 52, 8}),
              DropDownList(IDC_COMPUTER_CHOICE, {64, 7, 79, 44}),
              PushButton(IDC_DELETE_COMPUTER, "Delete", {147, 7, 36, 14}),
              Edit(IDC_COMPUTER_NAME, {64, 23, 79, 14}, ES_AUTOHSCROLL),
              DefPushButton(IDC_SAVE_COMPUTER, "Save", {147, 23, 36, 14}),
              PushButton(1, "Close", {68, 41, 50, 14}),
          },
  };
  return dialog;
}

}  // namespace res
