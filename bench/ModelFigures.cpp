// The model's changes, timed in one process over a session that is already connected.
//   veltrane-bench-model CONNECTION-STRING register
//       only stores the connection string in the registry store, for veltrane-control
//   veltrane-bench-model CONNECTION-STRING add-user COUNT
//       adds COUNT accounts to the first virtual server of the first computer, one at a
//       time, named after this process so that runs may repeat; prints the median seconds of one
//   veltrane-bench-model CONNECTION-STRING delete-computer ID
//   veltrane-bench-model CONNECTION-STRING delete-server COMPUTER-ID VSERVERID
//       prints the seconds of the cascade

#include <unistd.h>

#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/BenchSession.h"
#include "bench/Median.h"
#include "bench/Stopwatch.h"
#include "db/ConfigDatabase.h"

namespace {

// Runs one change of the model and returns its seconds; a refused change is an error.
template <class Change>
double Timed(Change&& change) {
  const Stopwatch clock;
  const int done = change();
  const double seconds = clock.Seconds();
  if (!done) throw std::runtime_error("the model refused the change");
  return seconds;
}

double AddUsers(ConfigDatabase& session, int count) {
  if (session.computers.empty()) throw std::runtime_error("the database holds no computer");
  const VirtualServerList& servers = session.LoadVirtualServersOfComputer(session.computers.front().ID);
  if (servers.empty()) throw std::runtime_error("the first computer runs no virtual server");
  UserRecord user;
  user.Password = "0123456789abcdef0123456789abcdef";
  user.HomeDir = "/srv/ftp/added";
  user.Permissions = 31;
  user.VirtualServerID = servers.front().VServerID;
  user.DiskQuota = 100;
  std::vector<double> seconds;
  for (int i = 0; i < count; ++i) {
    user.UserName = "bench-added-" + std::to_string(getpid()) + "-" + std::to_string(i);
    seconds.push_back(Timed([&] { return session.AddUser(user); }));
  }
  return Median(seconds);
}

double DeleteComputer(ConfigDatabase& session, int32_t computerId) {
  ComputerRecord computer;
  if (!session.FindComputerById(computerId, computer)) throw std::runtime_error("no such computer");
  return Timed([&] { return session.DeleteComputer(computer); });
}

double DeleteServer(ConfigDatabase& session, int32_t computerId, int32_t serverId) {
  session.LoadVirtualServersOfComputer(computerId);
  VirtualServerRecord server;
  if (!session.FindVirtualServerById(serverId, server)) throw std::runtime_error("no such virtual server");
  return Timed([&] { return session.DeleteVirtualServer(server); });
}

double Run(const std::string& connectionString, const std::vector<std::string>& args) {
  ConfigDatabase session;
  ConnectAsAdministrator(session, connectionString);
  if (args.size() == 2 && args[0] == "add-user") return AddUsers(session, std::stoi(args[1]));
  if (args.size() == 2 && args[0] == "delete-computer") return DeleteComputer(session, std::stoi(args[1]));
  if (args.size() == 3 && args[0] == "delete-server")
    return DeleteServer(session, std::stoi(args[1]), std::stoi(args[2]));
  throw std::invalid_argument("unknown figure");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fputs(
        "usage: veltrane-bench-model CONNECTION-STRING register|add-user N|delete-computer ID|"
        "delete-server COMPUTER-ID VSERVERID\n",
        stderr);
    return 2;
  }
  try {
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (args == std::vector<std::string>{"register"}) {
      StoreConnectionString(argv[1]);
      return 0;
    }
    std::printf("%.6f\n", Run(argv[1], args));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "veltrane-bench-model: %s\n", error.what());
    return 1;
  }
  return 0;
}
