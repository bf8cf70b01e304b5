#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace {

struct Outcome {
  int exitCode = -1;
  std::string output;  // standard output and standard error together
};

Outcome RunHost(const std::string& arguments) {
  const std::string command = std::string("'") + HOST_PROGRAM + "' " + arguments + " 2>&1";
  Outcome outcome;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return outcome;
  char buffer[512];
  while (size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) outcome.output.append(buffer, got);
  const int status = pclose(pipe);
  outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return outcome;
}

TEST(Host, ListsTheAppletOfTheLibraryBesideItOrOfTheOneGiven) {
  for (const std::string& arguments : {std::string("--list"), std::string("--list '") + APPLET_LIBRARY + "'"}) {
    const Outcome outcome = RunHost(arguments);
    EXPECT_EQ(outcome.exitCode, 0) << arguments << "\n" << outcome.output;
    EXPECT_EQ(outcome.output, "Veltrane Server\tConfiguration Applet for Veltrane Server\n") << arguments;
  }
}

TEST(Host, RefusesWhatIsNoAppletLibraryWithAClearError) {
  const Outcome missing = RunHost("--list /nonexistent/libnothing.so");
  EXPECT_NE(missing.exitCode, 0);
  EXPECT_NE(missing.output.find("cannot load /nonexistent/libnothing.so"), std::string::npos) << missing.output;

  const Outcome noEntry = RunHost(std::string("--list '") + NOT_AN_APPLET + "'");
  EXPECT_NE(noEntry.exitCode, 0);
  EXPECT_NE(noEntry.output.find("has no CPlApplet entry point"), std::string::npos) << noEntry.output;

  const Outcome usage = RunHost("--bogus");
  EXPECT_EQ(usage.exitCode, 2);
  EXPECT_NE(usage.output.find("usage: veltrane-control --list [LIBRARY]"), std::string::npos) << usage.output;
}

}  // namespace
