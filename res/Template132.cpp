// About page: the banner and the version line.

#include "res/ControlBuilders.h"
#include "res/ResourceIds.h"
#include "res/Templates.h"

namespace res {

const DialogTemplate& Template132() {
  using namespace build;
  // The banner is 300 by 70 pixels, about 200 by 43 dialog units in the dialog font.
  static const DialogTemplate dialog{
      .id = IDD_ABOUT,
      .caption = "About",
      .cx = 290,
      .cy = 186,
      .fontName = kFontName,
      .fontSize = kFontSize,
      .style = kPageStyle,
      .controls =
          {
              Bitmap(IDB_BANNER, {45, 24, 200, 43}),
              Label("Veltrane Server 1.0", {45, 78, 200, 8}),
          },
  };
  return dialog;
}

}  // namespace res
