// Add Virtual Server: address and description of a virtual server, for adding and editing.

#include "res/ControlBuilders.h"
#include "res/ResourceIds.h"
#include "res/Templates.h"

namespace res {

const DialogTemplate& Template7013() {
  using namespace build;
  static const DialogTemplate dialog{
      .id = IDD_ADD_VIRTUAL_SERVER,
      .caption = "Add Virtual Server",
      .cx = 242,
      .cy = 69,
      .fontName = kFontName,
      .fontSize = kFontSize,
      .style = kModalStyle,
      .controls =
          {
              Label("Server IP Address:", {7, 7, 60, 8}),
              Edit(IDC_SERVER_ADDRESS, {78, 7, 157, 12}, ES_AUTOHSCROLL),
              Label("Description:", {7, 28, 38, 8}),
              Edit(IDC_SERVER_DESCRIPTION, {77, 28, 157, 12}, ES_AUTOHSCROLL),
              DefPushButton(1, "OK", {77, 48, 50, 14}),
              PushButton(2, "Cancel", {137, 48, 50, 14}),
          },
  };
  return dialog;
}

}  // namespace res
