#include "platform/SystemdBus.h"

#include <systemd/sd-bus.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

namespace {

// The Win32 code that stands for a failed D-Bus call.
DWORD Win32Error(int result, const sd_bus_error& error) {
  const auto named = [&error](const char* name) { return sd_bus_error_has_name(&error, name) != 0; };
  if (named("org.freedesktop.systemd1.NoSuchUnit") || named("org.freedesktop.systemd1.LoadFailed"))
    return ERROR_SERVICE_DOES_NOT_EXIST;
  if (named(SD_BUS_ERROR_ACCESS_DENIED) || named(SD_BUS_ERROR_INTERACTIVE_AUTHORIZATION_REQUIRED))
    return ERROR_ACCESS_DENIED;
  if (named("org.freedesktop.systemd1.UnitMasked")) return ERROR_SERVICE_DISABLED;
  if (named(SD_BUS_ERROR_INVALID_ARGS)) return ERROR_INVALID_NAME;
  if (named(SD_BUS_ERROR_SERVICE_UNKNOWN) || named(SD_BUS_ERROR_NAME_HAS_NO_OWNER))
    return RPC_S_SERVER_UNAVAILABLE;
  if (named(SD_BUS_ERROR_NO_REPLY) || named(SD_BUS_ERROR_TIMEOUT) || result == -ETIMEDOUT)
    return ERROR_SERVICE_REQUEST_TIMEOUT;
  switch (-result) {
    case ENOENT:
    case ECONNREFUSED:
    case ECONNRESET:
    case ENOTCONN:
    case EACCES:
      return RPC_S_SERVER_UNAVAILABLE;
    default:
      return RPC_S_CALL_FAILED;
  }
}

const PropertyField* FindField(const std::vector<PropertyField>& fields, const char* name) {
  for (const PropertyField& field : fields)
    if (std::strcmp(field.name, name) == 0) return &field;
  return nullptr;
}

// Reads one "{sv}" entry of a GetAll reply; the message is inside the dict entry.
int ReadEntry(sd_bus_message* reply, const std::vector<PropertyField>& fields) {
  const char* name = nullptr;
  int r = sd_bus_message_read_basic(reply, 's', &name);
  if (r < 0) return r;
  const char* contents = nullptr;
  r = sd_bus_message_peek_type(reply, nullptr, &contents);
  if (r < 0) return r;
  const PropertyField* field = FindField(fields, name);
  if (field == nullptr || std::strcmp(contents, field->signature) != 0)
    return sd_bus_message_skip(reply, "v");
  if ((r = sd_bus_message_enter_container(reply, 'v', contents)) < 0 || (r = field->read(reply)) < 0)
    return r;
  return sd_bus_message_exit_container(reply);
}

int ReadAllEntries(sd_bus_message* reply, const std::vector<PropertyField>& fields) {
  int r = sd_bus_message_enter_container(reply, 'a', "{sv}");
  if (r < 0) return r;
  while ((r = sd_bus_message_enter_container(reply, 'e', "sv")) > 0) {
    if ((r = ReadEntry(reply, fields)) < 0 || (r = sd_bus_message_exit_container(reply)) < 0) return r;
  }
  return r < 0 ? r : sd_bus_message_exit_container(reply);
}

}  // namespace

void SystemdBus::MessageUnref::operator()(sd_bus_message* message) const { sd_bus_message_unref(message); }

PropertyField StringProperty(const char* name, std::string& value) {
  return {name, "s", [&value](sd_bus_message* m) {
            const char* text = nullptr;
            const int r = sd_bus_message_read_basic(m, 's', &text);
            if (r >= 0) value = text;
            return r;
          }};
}

PropertyField StringListProperty(const char* name, std::vector<std::string>& value) {
  return {name, "as", [&value](sd_bus_message* m) {
            char** list = nullptr;
            const int r = sd_bus_message_read_strv(m, &list);
            if (r < 0) return r;
            value.clear();
            for (char** item = list; item != nullptr && *item != nullptr; ++item) {
              value.emplace_back(*item);
              std::free(*item);
            }
            std::free(list);
            return r;
          }};
}

PropertyField UInt64Property(const char* name, std::uint64_t& value) {
  return {name, "t", [&value](sd_bus_message* m) { return sd_bus_message_read_basic(m, 't', &value); }};
}

PropertyField Int32Property(const char* name, std::int32_t& value) {
  return {name, "i", [&value](sd_bus_message* m) { return sd_bus_message_read_basic(m, 'i', &value); }};
}

PropertyField JobIdProperty(const char* name, std::uint32_t& jobId) {
  return {name, "(uo)", [&jobId](sd_bus_message* m) {
            const char* path = nullptr;
            return sd_bus_message_read(m, "(uo)", &jobId, &path);
          }};
}

DWORD SystemdBus::Open(std::chrono::microseconds callTimeout, std::shared_ptr<SystemdBus>& bus) {
  sd_bus* connection = nullptr;
  if (sd_bus_open_system(&connection) < 0) return RPC_S_SERVER_UNAVAILABLE;
  bus.reset(new SystemdBus(connection, callTimeout));
  return bus->WaitUntilReady();
}

// sd-bus connects in the background and makes the first call wait until the connection is
// ready, for up to its own authentication limit of 90 seconds: a peer that accepts the
// connection and never speaks would hold the caller that long. The wait is bounded here by
// the call time-out instead.
DWORD SystemdBus::WaitUntilReady() {
  using namespace std::chrono;
  const auto deadline = steady_clock::now() + microseconds(m_callTimeoutUsec);
  for (;;) {
    int r = sd_bus_is_ready(m_bus);
    if (r > 0) return ERROR_SUCCESS;
    if (r == 0 && (r = sd_bus_process(m_bus, nullptr)) > 0) continue;
    if (r < 0) return RPC_S_SERVER_UNAVAILABLE;
    const auto left = duration_cast<microseconds>(deadline - steady_clock::now());
    if (left.count() <= 0) return ERROR_SERVICE_REQUEST_TIMEOUT;
    if (sd_bus_wait(m_bus, static_cast<std::uint64_t>(left.count())) < 0) return RPC_S_SERVER_UNAVAILABLE;
  }
}

SystemdBus::SystemdBus(sd_bus* bus, std::chrono::microseconds callTimeout)
    : m_bus(bus), m_callTimeoutUsec(static_cast<std::uint64_t>(callTimeout.count())) {}

// Not flushed: every call waits for its reply, so nothing is left to send, and a flush on a
// connection that never became ready would wait out sd-bus's authentication limit.
SystemdBus::~SystemdBus() { sd_bus_close_unref(m_bus); }

DWORD SystemdBus::Call(const char* destination, const std::string& path, const char* interface,
                       const char* member, std::initializer_list<std::string_view> arguments) {
  MessagePtr reply;
  return CallWithReply(destination, path, interface, member, arguments, reply);
}

DWORD SystemdBus::CallForObjectPath(const char* destination, const std::string& path, const char* interface,
                                    const char* member, std::initializer_list<std::string_view> arguments,
                                    std::string& objectPath) {
  MessagePtr reply;
  if (const DWORD error = CallWithReply(destination, path, interface, member, arguments, reply)) return error;
  const char* text = nullptr;
  if (sd_bus_message_read_basic(reply.get(), 'o', &text) < 0) return RPC_S_CALL_FAILED;
  objectPath = text;
  return ERROR_SUCCESS;
}

DWORD SystemdBus::ReadProperties(const char* destination, const std::string& path, const char* interface,
                                 const std::vector<PropertyField>& fields) {
  MessagePtr reply;
  if (const DWORD error =
          CallWithReply(destination, path, "org.freedesktop.DBus.Properties", "GetAll", {interface}, reply))
    return error;
  return ReadAllEntries(reply.get(), fields) < 0 ? DWORD(RPC_S_CALL_FAILED) : DWORD(ERROR_SUCCESS);
}

DWORD SystemdBus::CallWithReply(const char* destination, const std::string& path, const char* interface,
                                const char* member, std::initializer_list<std::string_view> arguments,
                                MessagePtr& reply) {
  sd_bus_message* call = nullptr;
  int r = sd_bus_message_new_method_call(m_bus, &call, destination, path.c_str(), interface, member);
  if (r < 0) return Win32Error(r, SD_BUS_ERROR_NULL);
  const MessagePtr callOwner(call);
  for (std::string_view argument : arguments) {
    const std::string text(argument);
    // The arguments are names; sd-bus refuses text that is not UTF-8.
    if (sd_bus_message_append_basic(call, 's', text.c_str()) < 0) return ERROR_INVALID_NAME;
  }
  sd_bus_error error = SD_BUS_ERROR_NULL;
  sd_bus_message* answer = nullptr;
  r = sd_bus_call(m_bus, call, m_callTimeoutUsec, &error, &answer);
  reply.reset(answer);
  const DWORD code = r < 0 ? Win32Error(r, error) : DWORD(ERROR_SUCCESS);
  sd_bus_error_free(&error);
  return code;
}
