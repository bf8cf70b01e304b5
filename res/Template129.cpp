// General page: computer and virtual server on show, their preferences (read-only), and the
// FTP service's state with Start and Stop. Frames come before the controls they enclose and
// each label just before its field; the fields keep their tab order. Labels reach up to
// their field, so that a wider font still fits.

#include "res/ControlBuilders.h"
#include "res/ResourceIds.h"
#include "res/Templates.h"

namespace res {

const DialogTemplate& Template129() {
  using namespace build;
  static const DialogTemplate dialog{
      .id = IDD_GENERAL,
      .caption = "General",
      .cx = 290,
      .cy = 210,
      .fontName = kFontName,
      .fontSize = kFontSize,
      .style = kPageStyle,
      .controls =
          {
              GroupBox("General", {4, 3, 283, 102}),
              Label("Computer Name", {7, 14, 68, 8}),
              DropDownList(IDC_GENERAL_COMPUTER, {77, 14, 102, 44}),
              PushButton(IDC_GENERAL_ADD_COMPUTER, "...", {183, 14, 18, 12}),
              Label("Virtual Server:", {8, 30, 67, 8}),
              DropDownList(IDC_GENERAL_VIRTUAL_SERVER, {77, 30, 102, 44}),
              PushButton(IDC_GENERAL_EDIT_PREFERENCES, "Edit Preferences", {183, 29, 58, 14}),
              Label("FTP Port:", {8, 46, 67, 8}),
              Edit(IDC_SHOWN_FTP_PORT, {77, 46, 50, 12}, ES_READONLY | ES_NUMBER),
              Label("Welcome Message:", {8, 62, 67, 8}),
              Edit(IDC_SHOWN_WELCOME, {77, 62, 204, 12}, ES_READONLY),
              Label("Goodbye Message:", {8, 78, 67, 8}),
              Edit(IDC_SHOWN_GOODBYE, {77, 78, 204, 12}, ES_READONLY),
              AutoCheckBox(IDC_SHOWN_ANONYMOUS, "Allow Anonymous Login", {77, 93, 91, 10}),
              GroupBox("Connetion Settings", {4, 112, 283, 40}),
              Label("Max. concurrent connections:", {8, 120, 96, 8}),
              Edit(IDC_SHOWN_MAX_CONNECTIONS, {105, 121, 50, 12}, ES_READONLY),
              Label("Max. connections/IP:", {158, 121, 71, 8}),
              Edit(IDC_SHOWN_MAX_PER_IP, {231, 121, 50, 12}, ES_READONLY),
              Label("Max. connections/User:", {8, 136, 95, 8}),
              Edit(IDC_SHOWN_MAX_PER_USER, {105, 136, 50, 12}, ES_READONLY),
              Label("Timeout (minutes):", {158, 136, 71, 8}),
              Edit(IDC_SHOWN_TIMEOUT, {231, 136, 50, 12}, ES_READONLY | ES_NUMBER),
              GroupBox("FTP Service Status", {4, 154, 283, 51}),
              Label("Current Status:", {8, 168, 67, 8}),
              Edit(IDC_SERVICE_STATE, {77, 167, 122, 12}, ES_READONLY),
              // Disabled until the first status query says which one applies.
              PushButton(IDC_START_SERVICE, "Start", {83, 183, 50, 14}, WS_DISABLED),
              PushButton(IDC_STOP_SERVICE, "Stop", {145, 183, 50, 14}, WS_DISABLED),
          },
  };
  return dialog;
}

}  // namespace res
