// The floors of the cascading deletes: plain DELETE ... WHERE statements for the same rows,
// in one transaction on one connection.
//   veltrane-bench-delete-floor CONNECTION-STRING computer ID
//       the computer with its virtual servers, their preference rows and their accounts
//   veltrane-bench-delete-floor CONNECTION-STRING server VSERVERID
//       the virtual server with its preference rows and its accounts
// prints the seconds of the transaction.

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "bench/RawOdbc.h"
#include "bench/Stopwatch.h"

namespace {

// The row itself goes first and its dependents after it: on SQLite that order measured up to
// three times faster than accounts first, and a floor takes the faster one.
std::vector<std::string> ComputerDeletes(const std::string& id) {
  const std::string servers = "(SELECT VServerID FROM VirtualServers WHERE VServerGroupID = " + id + ")";
  return {"DELETE FROM VirtualServerGroup WHERE ID = " + id,
          "DELETE FROM Users WHERE VirtualServerID IN " + servers,
          "DELETE FROM Preferences WHERE VirtualServerID IN " + servers,
          "DELETE FROM VirtualServers WHERE VServerGroupID = " + id};
}

std::vector<std::string> ServerDeletes(const std::string& id) {
  return {"DELETE FROM VirtualServers WHERE VServerID = " + id,
          "DELETE FROM Preferences WHERE VirtualServerID = " + id,
          "DELETE FROM Users WHERE VirtualServerID = " + id};
}

// Reads a missing key of each table first, as the model's session has read those tables before
// it deletes: neither then pays for a cold connection (schema and catalog reads) in the measure.
void Warm(RawConnection& connection) {
  for (const char* sql : {"SELECT COUNT(*) FROM Users WHERE VirtualServerID = -2",
                          "SELECT COUNT(*) FROM Preferences WHERE VirtualServerID = -2",
                          "SELECT COUNT(*) FROM VirtualServers WHERE VServerGroupID = -2",
                          "SELECT COUNT(*) FROM VirtualServerGroup WHERE ID = -2"})
    connection.QueryNumber(sql);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string kind = argc == 4 ? argv[2] : "";
  if (kind != "computer" && kind != "server") {
    std::fputs("usage: veltrane-bench-delete-floor CONNECTION-STRING computer|server ID\n", stderr);
    return 2;
  }
  try {
    const std::string id = std::to_string(std::stol(argv[3]));  // a whole number, written in decimal
    const auto statements = kind == "computer" ? ComputerDeletes(id) : ServerDeletes(id);
    RawConnection connection(argv[1]);
    Warm(connection);
    const Stopwatch clock;
    connection.BeginTransaction();
    for (const std::string& sql : statements) connection.Execute(sql);
    connection.Commit();
    std::printf("%.6f\n", clock.Seconds());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "veltrane-bench-delete-floor: %s\n", error.what());
    return 1;
  }
  return 0;
}
