#include "SystemdMock.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>
#include <vector>

extern char** environ;

namespace {

constexpr auto kStartLimit = std::chrono::seconds(20);

// Starts a program with its standard output on stdoutFd, or discarded with its standard error.
pid_t Spawn(std::vector<std::string> arguments, int stdoutFd = -1) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (stdoutFd == -1) {
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  } else {
    posix_spawn_file_actions_adddup2(&actions, stdoutFd, STDOUT_FILENO);
    // The daemon's complaints about resource limits in a container are of no interest here.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  }
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  const int r = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return r == 0 ? pid : -1;
}

void Stop(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
}

// The first line written to fd, waiting no longer than the start limit.
std::string ReadLine(int fd) {
  std::string line;
  pollfd watched{fd, POLLIN, 0};
  const int limitMs = std::chrono::duration_cast<std::chrono::milliseconds>(kStartLimit).count();
  char c = 0;
  while (poll(&watched, 1, limitMs) > 0 && read(fd, &c, 1) == 1 && c != '\n') line += c;
  return line;
}

}  // namespace

SystemdMock::~SystemdMock() {
  sd_bus_flush_close_unref(m_bus);
  Stop(m_mockPid);
  Stop(m_daemonPid);
}

bool SystemdMock::Start(std::string& skipReason) {
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe");
  m_daemonPid = Spawn({"dbus-daemon", "--session", "--nofork", "--print-address"}, pipeFds[1]);
  close(pipeFds[1]);
  const std::string address = m_daemonPid > 0 ? ReadLine(pipeFds[0]) : std::string();
  close(pipeFds[0]);
  if (address.empty()) {
    skipReason = "no D-Bus daemon can be started here (dbus-daemon missing or failing)";
    return false;
  }
  setenv("DBUS_SYSTEM_BUS_ADDRESS", address.c_str(), 1);
  if (sd_bus_open_system(&m_bus) < 0)
    throw std::runtime_error("cannot connect to the private bus at " + address);
  m_mockPid = Spawn({"/usr/bin/python3", "-m", "dbusmock", "--system", "-t", SYSTEMD_MOCK_TEMPLATE});
  if (m_mockPid <= 0 || !WaitForManager())
    throw std::runtime_error("the systemd manager stand-in did not come up on the private bus");
  return true;
}

bool SystemdMock::WaitForManager() {
  const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
  while (std::chrono::steady_clock::now() < deadline) {
    if (sd_bus_call_method(m_bus, "org.freedesktop.systemd1", "/org/freedesktop/systemd1",
                           "org.freedesktop.DBus.Peer", "Ping", nullptr, nullptr, "") >= 0)
      return true;
    if (waitpid(m_mockPid, nullptr, WNOHANG) == m_mockPid) {
      m_mockPid = -1;
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

void SystemdMock::ThrowOnFailure(int result, sd_bus_error& error, const char* what) {
  if (result >= 0) return;
  const std::string message = std::string(what) + ": " + (error.message ? error.message : "failed");
  sd_bus_error_free(&error);
  throw std::runtime_error(message);
}

void SystemdMock::StopManager() {
  Stop(m_mockPid);
  m_mockPid = -1;
}
