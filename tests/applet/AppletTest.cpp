#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "applet/ControlPanelApplet.h"
#include "tests/support/ShellCommand.h"

namespace {

// The applet library loaded the way the Control Panel loads it.
class AppletLibraryTest : public testing::Test {
 protected:
  void SetUp() override {
    m_handle = dlopen(APPLET_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(m_handle, nullptr) << dlerror();
    m_entry = reinterpret_cast<APPLET_PROC>(dlsym(m_handle, "CPlApplet"));
    ASSERT_NE(m_entry, nullptr);
  }
  void TearDown() override {
    if (m_handle) dlclose(m_handle);
  }

  LONG Send(UINT msg, LPARAM lParam1 = 0, LPARAM lParam2 = 0) {
    return m_entry(nullptr, msg, lParam1, lParam2);
  }

  void* m_handle = nullptr;
  APPLET_PROC m_entry = nullptr;
};

// A record full of garbage, for the applet to fill, padding included.
void FillWithGarbage(NEWCPLINFO& record) { std::memset(&record, 0xCD, sizeof record); }

// A filled text field: the text, its terminator, then the garbage it did not cover.
template <size_t N>
void ExpectTextThenGarbage(const char (&field)[N], const std::string& text) {
  EXPECT_EQ(std::string(field), text);
  for (size_t i = text.size() + 1; i < N; ++i)
    ASSERT_EQ(static_cast<unsigned char>(field[i]), 0xCD) << "byte " << i << " after \"" << text << "\"";
}

TEST_F(AppletLibraryTest, AnswersTheControlPanelsConversationAndLeavesAnInquireRecordAlone) {
  EXPECT_EQ(Send(CPL_INIT), 1);
  EXPECT_EQ(Send(CPL_GETCOUNT), 1);
  EXPECT_EQ(Send(CPL_SELECT, 0, 0), 1);
  EXPECT_EQ(Send(CPL_DBLCLK, 0, 0), 0);
  EXPECT_EQ(Send(CPL_STOP, 0, 0), 1);
  EXPECT_EQ(Send(CPL_EXIT), 0);
  for (UINT unknown : {0u, 9u, 10u, 200u}) EXPECT_EQ(Send(unknown, 5, 7), 1) << unknown;

  NEWCPLINFO record;
  FillWithGarbage(record);
  EXPECT_EQ(Send(CPL_INQUIRE, 0, reinterpret_cast<LPARAM>(&record)), 0);
  const auto* bytes = reinterpret_cast<const unsigned char*>(&record);
  EXPECT_TRUE(std::all_of(bytes, bytes + sizeof record, [](unsigned char b) { return b == 0xCD; }));
}

TEST_F(AppletLibraryTest, NewInquireWritesEveryFieldOfAGarbageRecord) {
  for (LPARAM index : {0, 3}) {  // any applet index is the one applet
    NEWCPLINFO record;
    FillWithGarbage(record);
    EXPECT_EQ(Send(CPL_NEWINQUIRE, index, reinterpret_cast<LPARAM>(&record)), 0);
    EXPECT_EQ(record.dwSize, sizeof(NEWCPLINFO));
    EXPECT_EQ(record.dwFlags | record.dwHelpContext, 0u);
    EXPECT_EQ(record.lData, 0);
    ASSERT_NE(record.hIcon, nullptr);
    EXPECT_EQ(std::strncmp(record.hIcon[0], "32 32 ", 6), 0) << record.hIcon[0];
    ExpectTextThenGarbage(record.szName, "Veltrane Server");
    ExpectTextThenGarbage(record.szInfo, "Configuration Applet for Veltrane Server");
    ExpectTextThenGarbage(record.szHelpFile, "");
  }
  EXPECT_EQ(Send(CPL_NEWINQUIRE, 0, 0), 1);  // no record: not processed, no crash
}

TEST_F(AppletLibraryTest, ExportsCPlAppletAlone) {
  const ShellOutcome symbols =
      RunShellCommand(std::string("nm -D --defined-only '") + APPLET_LIBRARY + "' | awk '{print $NF}'");
  EXPECT_EQ(symbols.output, "CPlApplet\n");
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
