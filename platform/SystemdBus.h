#pragma once
// One connection to the system bus, for talking to the systemd manager: method calls with
// string arguments, each bounded by a time-out, reading chosen properties of an object, and
// D-Bus failures turned into Win32 error codes. Like every sd-bus connection it is for use
// from one thread at a time.

#include <chrono>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/WinTypes.h"

struct sd_bus;
struct sd_bus_message;

// One property to read from a Properties.GetAll reply: its name, its D-Bus signature and how
// to read the value (positioned inside the variant) into wherever it goes.
struct PropertyField {
  const char* name;
  const char* signature;
  std::function<int(sd_bus_message*)> read;
};

PropertyField StringProperty(const char* name, std::string& value);
PropertyField StringListProperty(const char* name, std::vector<std::string>& value);
PropertyField UInt64Property(const char* name, std::uint64_t& value);
PropertyField Int32Property(const char* name, std::int32_t& value);
// A job reference "(uo)": only its id is kept; 0 means no job.
PropertyField JobIdProperty(const char* name, std::uint32_t& jobId);

class SystemdBus {
 public:
  // Connects to the system bus (DBUS_SYSTEM_BUS_ADDRESS, else the standard socket). The
  // connection is ready (authenticated, and greeted by the bus) within callTimeout, or
  // fails with ERROR_SERVICE_REQUEST_TIMEOUT.
  static DWORD Open(std::chrono::microseconds callTimeout, std::shared_ptr<SystemdBus>& bus);
  ~SystemdBus();
  SystemdBus(const SystemdBus&) = delete;
  SystemdBus& operator=(const SystemdBus&) = delete;

  // Calls a method with string arguments and no reply of interest.
  DWORD Call(const char* destination, const std::string& path, const char* interface, const char* member,
             std::initializer_list<std::string_view> arguments);
  // Calls a method with string arguments that replies with an object path.
  DWORD CallForObjectPath(const char* destination, const std::string& path, const char* interface,
                          const char* member, std::initializer_list<std::string_view> arguments,
                          std::string& objectPath);
  // Reads the fields named from the object's properties on interface; properties not
  // named, or of another type than expected, are passed over.
  DWORD ReadProperties(const char* destination, const std::string& path, const char* interface,
                       const std::vector<PropertyField>& fields);

 private:
  struct MessageUnref {
    void operator()(sd_bus_message* message) const;
  };
  using MessagePtr = std::unique_ptr<sd_bus_message, MessageUnref>;

  SystemdBus(sd_bus* bus, std::chrono::microseconds callTimeout);
  DWORD WaitUntilReady();
  DWORD CallWithReply(const char* destination, const std::string& path, const char* interface,
                      const char* member, std::initializer_list<std::string_view> arguments,
                      MessagePtr& reply);

  sd_bus* m_bus;
  std::uint64_t m_callTimeoutUsec;
};
