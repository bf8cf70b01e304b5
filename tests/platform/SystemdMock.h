#pragma once
// A private D-Bus daemon standing in for the system bus, with a stand-in for the systemd
// manager on it (systemd_manager_mock.py under python-dbusmock). Starting it points
// DBUS_SYSTEM_BUS_ADDRESS of this process at the private bus; the destructor stops both.

#include <signal.h>
#include <systemd/sd-bus.h>

#include <stdexcept>
#include <string>
#include <sys/types.h>

class SystemdMock {
 public:
  SystemdMock() = default;
  ~SystemdMock();
  SystemdMock(const SystemdMock&) = delete;
  SystemdMock& operator=(const SystemdMock&) = delete;

  // False with the reason in skipReason when no D-Bus daemon can be started here. Throws
  // when the daemon starts but the manager stand-in does not come up.
  bool Start(std::string& skipReason);

  // Calls a method of the stand-in's control interface; types and arguments as for
  // sd_bus_call_method. Throws on failure.
  template <typename... Arguments>
  void Control(const char* member, const char* types, Arguments... arguments) {
    sd_bus_error error = SD_BUS_ERROR_NULL;
    if (sd_bus_call_method(m_bus, "org.freedesktop.systemd1", "/org/freedesktop/systemd1",
                           "org.freedesktop.DBus.Mock", member, &error, nullptr, types, arguments...) >= 0)
      return;
    const std::string message = std::string(member) + ": " + (error.message ? error.message : "failed");
    sd_bus_error_free(&error);
    throw std::runtime_error(message);
  }

  // Takes the manager stand-in off the bus, leaving the bus itself running.
  void StopManager();
  // Stops the bus daemon in its tracks: it still takes connections, and answers none.
  void FreezeBus() { kill(m_daemonPid, SIGSTOP); }
  void AddUnit(const char* name, const char* description, const char* requiredBy = nullptr) {
    if (requiredBy != nullptr)
      Control("AddUnit", "ssasas", name, description, 1, requiredBy, 0);
    else
      Control("AddUnit", "ssasas", name, description, 0, 0);
  }
  // Sets the unit's state and its job (0: none).
  void SetUnitState(const char* name, const char* activeState, const char* subState, unsigned jobId = 0) {
    Control("SetUnitState", "sssu", name, activeState, subState, jobId);
  }
  // Makes method (LoadUnit, StartUnit, StopUnit) fail for the unit with the D-Bus error named.
  void Refuse(const char* method, const char* unit, const char* errorName) {
    Control("Refuse", "sss", method, unit, errorName);
  }

 private:
  // Waits until the manager stand-in answers on the bus, or no longer does; false after 20 s.
  bool AwaitManager(bool answering);

  pid_t m_daemonPid = -1;
  pid_t m_mockPid = -1;
  sd_bus* m_bus = nullptr;
};
