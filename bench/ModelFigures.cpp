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

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/BenchMain.h"
#include "bench/BenchSession.h"
#include "bench/Measure.h"
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
  if (args[0] == "add-user") return AddUsers(session, std::stoi(args[1]));
  if (args[0] == "delete-computer") return DeleteComputer(session, std::stoi(args[1]));
  return DeleteServer(session, std::stoi(args[1]), std::stoi(args[2]));
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + std::min(argc, 2), argv + argc);
  const auto is = [&args](const char* figure, size_t count) {
    return args.size() == count && args[0] == figure;
  };
  const bool fit =
      is("register", 1) || is("add-user", 2) || is("delete-computer", 2) || is("delete-server", 3);
  return BenchMain(
      "veltrane-bench-model",
      "CONNECTION-STRING register|add-user N|delete-computer ID|delete-server COMPUTER-ID VSERVERID", fit,
      [&] {
        if (is("register", 1)) return StoreConnectionString(argv[1]);
        std::printf("%.6f\n", Run(argv[1], args));
      });
}
