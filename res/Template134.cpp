// Add User: name, password twice, quota, home directory and permissions of an account; the
// same dialog edits an existing account.

#include "res/ControlBuilders.h"
#include "res/ResourceIds.h"
#include "res/Templates.h"

namespace res {

const DialogTemplate& Template134() {
  using namespace build;
  static const DialogTemplate dialog{
      .id = IDD_ADD_USER,
      .caption = "Add User",
      .cx = 246,
      .cy = 143,
      .fontName = kFontName,
      .fontSize = kFontSize,
      .style = kModalStyle,
      .controls =
          {
              Label("User Name:", {6, 10, 38, 8}),
              Edit(IDC_USER_NAME, {70, 9, 126, 12}, ES_AUTOHSCROLL),
              Label("Password:", {6, 26, 36, 12}),
              Edit(IDC_PASSWORD, {70, 26, 126, 12}, ES_PASSWORD),
              Label("Confirm Password:", {6, 42, 61, 12}),
              Edit(IDC_CONFIRM_PASSWORD, {70, 42, 126, 12}, ES_PASSWORD),
              Label("Disk Quota:", {6, 59, 61, 12}),
              Edit(IDC_QUOTA, {70, 59, 56, 12}, ES_NUMBER),
              Label("MB", {131, 61, 11, 8}),
              Label("Home directory:", {6, 76, 50, 8}),
              // Read-only: the home directory is chosen with the ".." button.
              Edit(IDC_HOME_DIR, {70, 76, 149, 12}, ES_READONLY),
              PushButton(IDC_BROWSE_HOME_DIR, "..", {222, 76, 16, 12}),
              Label("Permissions:", {6, 95, 40, 8}),
              AutoCheckBox(IDC_DOWNLOAD, "Download", {70, 95, 48, 10}),
              AutoCheckBox(IDC_UPLOAD, "Upload", {125, 95, 39, 10}),
              AutoCheckBox(IDC_RENAME, "Rename", {182, 95, 43, 10}),
              AutoCheckBox(IDC_DELETE_FILES, "Delete", {70, 109, 37, 10}),
              AutoCheckBox(IDC_CREATE_DIR, "Create Directory", {125, 109, 67, 10}),
              DefPushButton(1, "OK", {69, 126, 50, 14}),
              PushButton(2, "Cancel", {125, 126, 50, 14}),
          },
  };
  return dialog;
}

}  // namespace res
