#include "SystemdMock.h"

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "tests/support/ShellCommand.h"

namespace {

void Stop(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  kill(pid, SIGCONT);  // a frozen process ends too
}

}  // namespace

SystemdMock::~SystemdMock() {
  sd_bus_flush_close_unref(m_bus);
  Stop(m_mockPid);
  Stop(m_daemonPid);
}

bool SystemdMock::Start(std::string& skipReason) {
  // The daemon goes into the background once it has printed its address and process number;
  // its complaints about resource limits in a container are of no interest here.
  std::istringstream printed(
      RunShellCommand("timeout 20 dbus-daemon --session --fork --print-address=1 --print-pid=1 2>/dev/null")
          .output);
  std::string address;
  if (!(printed >> address >> m_daemonPid)) {
    skipReason = "no D-Bus daemon can be started here (dbus-daemon missing or failing)";
    return false;
  }
  setenv("DBUS_SYSTEM_BUS_ADDRESS", address.c_str(), 1);
  if (sd_bus_open_system(&m_bus) < 0)
    throw std::runtime_error("cannot connect to the private bus at " + address);
  m_mockPid = std::atoi(RunShellCommand("/usr/bin/python3 -m dbusmock --system -t '" SYSTEMD_MOCK_TEMPLATE
                                        "' >/dev/null 2>&1 & echo $!")
                            .output.c_str());
  if (m_mockPid <= 0 || !AwaitManager(true))
    throw std::runtime_error("the systemd manager stand-in did not come up on the private bus");
  return true;
}

bool SystemdMock::AwaitManager(bool answering) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < deadline && (!answering || kill(m_mockPid, 0) == 0)) {
    if ((sd_bus_call_method(m_bus, "org.freedesktop.systemd1", "/org/freedesktop/systemd1",
                            "org.freedesktop.DBus.Peer", "Ping", nullptr, nullptr, "") >= 0) == answering)
      return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

void SystemdMock::StopManager() {
  Stop(m_mockPid);
  m_mockPid = -1;
  if (!AwaitManager(false)) throw std::runtime_error("the systemd manager stand-in did not leave the bus");
}
