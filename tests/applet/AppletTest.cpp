#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "applet/ControlPanelApplet.h"
#include "tests/support/ShellCommand.h"

namespace {

// A record full of garbage, for the applet to fill, padding included.
void FillWithGarbage(NEWCPLINFO& record) { std::memset(&record, 0xCD, sizeof record); }

// A filled text field: the text, its terminator, then the garbage it did not cover.
template <size_t N>
void ExpectTextThenGarbage(const char (&field)[N], const std::string& text) {
  EXPECT_EQ(std::string(field), text);
  for (size_t i = text.size() + 1; i < N; ++i)
    ASSERT_EQ(static_cast<unsigned char>(field[i]), 0xCD) << "byte " << i << " after \"" << text << "\"";
}

// The library, loaded the way the Control Panel loads it, exports CPlApplet alone, answers the
// conversation, leaves an old inquiry's record alone and fills every field of a new one.
TEST(AppletLibrary, AnswersTheControlPanelsConversationAndFillsOnlyANewInquiry) {
  const ShellOutcome symbols =
      RunShellCommand(std::string("nm -D --defined-only '") + APPLET_LIBRARY + "' | awk '{print $NF}'");
  EXPECT_EQ(symbols.output, "CPlApplet\n");
  void* library = dlopen(APPLET_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  const auto entry = reinterpret_cast<APPLET_PROC>(dlsym(library, "CPlApplet"));
  ASSERT_NE(entry, nullptr);
  const auto send = [entry](UINT msg, LPARAM lParam1 = 0, LPARAM lParam2 = 0) {
    return entry(nullptr, msg, lParam1, lParam2);
  };
  EXPECT_EQ(send(CPL_INIT), 1);
  EXPECT_EQ(send(CPL_GETCOUNT), 1);
  EXPECT_EQ(send(CPL_SELECT, 0, 0), 1);
  EXPECT_EQ(send(CPL_DBLCLK, 0, 0), 0);
  EXPECT_EQ(send(CPL_STOP, 0, 0), 1);
  EXPECT_EQ(send(CPL_EXIT), 0);
  for (UINT unknown : {0u, 9u, 10u, 200u}) EXPECT_EQ(send(unknown, 5, 7), 1) << unknown;

  NEWCPLINFO record;
  FillWithGarbage(record);
  EXPECT_EQ(send(CPL_INQUIRE, 0, reinterpret_cast<LPARAM>(&record)), 0);
  const auto* bytes = reinterpret_cast<const unsigned char*>(&record);
  EXPECT_TRUE(std::all_of(bytes, bytes + sizeof record, [](unsigned char b) { return b == 0xCD; }));

  for (LPARAM index : {0, 3}) {  // any applet index is the one applet
    FillWithGarbage(record);
    EXPECT_EQ(send(CPL_NEWINQUIRE, index, reinterpret_cast<LPARAM>(&record)), 0);
    EXPECT_EQ(record.dwSize, sizeof(NEWCPLINFO));
    EXPECT_EQ(record.dwFlags | record.dwHelpContext, 0u);
    EXPECT_EQ(record.lData, 0);
    ASSERT_NE(record.hIcon, nullptr);
    EXPECT_EQ(std::strncmp(record.hIcon[0], "32 32 ", 6), 0) << record.hIcon[0];
    ExpectTextThenGarbage(record.szName, "Veltrane Server");
    ExpectTextThenGarbage(record.szInfo, "Configuration Applet for Veltrane Server");
    ExpectTextThenGarbage(record.szHelpFile, "");
  }
  EXPECT_EQ(send(CPL_NEWINQUIRE, 0, 0), 1);  // no record: not processed, no crash
  dlclose(library);
}

TEST(ControlPanelApplet, ADerivedAppletReplacingNothingKeepsTheBaseAnswersAndIsForgottenWhenGone) {
  struct RawApplet : ControlPanelApplet {};
  {
    RawApplet applet;
    NEWCPLINFO record;
    FillWithGarbage(record);
    EXPECT_EQ(CPlApplet(nullptr, CPL_NEWINQUIRE, 0, reinterpret_cast<LPARAM>(&record)), 0);
    EXPECT_STREQ(record.szName, "Applet");
    EXPECT_STREQ(record.szInfo, "Raw Cpl Applet");
  }
  EXPECT_EQ(ControlPanelApplet::Current(), nullptr);
  EXPECT_EQ(CPlApplet(nullptr, CPL_INIT, 0, 0), 0);  // nothing to reach, nothing reached
}

}  // namespace
