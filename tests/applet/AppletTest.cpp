#include <gtest/gtest.h>

#include <string>

#include "applet/ControlPanelApplet.h"
#include "tests/support/ShellCommand.h"

namespace {

// The library exports CPlApplet alone, so that nothing of it takes the place of the host's own
// symbols. What it answers through CPlApplet is the host's listing and window tests'.
TEST(AppletLibrary, ExportsCPlAppletAlone) {
  const ShellOutcome symbols =
      RunShellCommand(std::string("nm -D --defined-only '") + APPLET_LIBRARY + "' | awk '{print $NF}'");
  EXPECT_EQ(symbols.output, "CPlApplet\n");
}

// CPlApplet never reaches an applet that has gone: CPL_INIT then fails.
TEST(ControlPanelApplet, AnAppletGoneIsForgotten) {
  struct RawApplet : ControlPanelApplet {};
  {
    RawApplet applet;
    EXPECT_EQ(CPlApplet(nullptr, CPL_INIT, 0, 0), 1);
  }
  EXPECT_EQ(CPlApplet(nullptr, CPL_INIT, 0, 0), 0);
}

}  // namespace
