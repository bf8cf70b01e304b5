// veltrane-admin export [--computer NAME]
// Writes the configuration as one JSON document (cli/DocumentReader.h reads it back): the
// computers, their virtual servers and preference rows, then the accounts, streamed as the
// database delivers them so that a million accounts are never held. Keys are left out:
// rows refer to each other by name and address.

#include <iostream>
#include <map>

#include "cli/AdminSession.h"
#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/DocumentReader.h"
#include "cli/Lookups.h"
#include "cli/Output.h"
#include "cli/Prompter.h"
#include "cli/TextEscape.h"
#include "cli/Transfer.h"
#include "db/ExportRows.h"
#include "platform/TerminationSignals.h"

namespace {

// One list member of the document after another, each on a line of its own.
class DocumentWriter {
 public:
  explicit DocumentWriter(std::ostream& out) : m_out(out) {
    m_out << "{\"" << kDocumentFormat << "\": " << kDocumentVersion;
  }
  void BeginList(const char* name) {
    m_out << (m_inList ? "\n  ]" : "") << ",\n  \"" << name << "\": [";
    m_inList = true;
    m_first = true;
  }
  void Add(const Record& record) {
    for (const Field& field : record) m_notUtf8 += IsUtf8(field.value) ? 0 : 1;
    m_line = m_first ? "\n    " : ",\n    ";
    AppendJsonObject(m_line, record);
    m_out << m_line;
    m_first = false;
  }
  void Finish() { m_out << "\n  ]\n}\n"; }
  // How many texts held bytes that are not UTF-8: JSON writes each such byte as the Latin-1
  // character of its value, so an import stores those texts changed.
  size_t NotUtf8() const { return m_notUtf8; }

 private:
  std::ostream& m_out;
  bool m_inList = false;
  bool m_first = false;
  std::string m_line;
  size_t m_notUtf8 = 0;
};

struct ServerName {
  std::string computer;
  std::string address;
};

}  // namespace

void WriteConfiguration(ConfigDatabase& database, std::ostream& out,
                        const std::optional<std::string>& computer) {
  database.LoadComputers();
  const int32_t onlyComputer = computer ? FindComputer(database, *computer).ID : -1;
  std::map<int32_t, std::string> computerNames;
  for (const ComputerRecord& row : database.computers) computerNames.emplace(row.ID, row.Name);

  DocumentWriter writer(out);
  writer.BeginList("computers");
  for (const ComputerRecord& row : database.computers)
    if (!computer || row.ID == onlyComputer) writer.Add({{"name", row.Name}, {"site", row.CurrentSite}});
  writer.BeginList("vservers");
  std::map<int32_t, ServerName> servers;
  database.LoadVirtualServers("", ConfigDatabase::kAll);
  for (const VirtualServerRecord& server : database.virtualServers) {
    if (computer && server.VServerGroupID != onlyComputer) continue;
    const auto name = computerNames.find(server.VServerGroupID);
    const ServerName& added =
        servers[server.VServerID] = {name == computerNames.end() ? "" : name->second, server.VServerIPAddr};
    writer.Add(
        {{"computer", added.computer}, {"address", added.address}, {"description", server.VServerDesc}});
  }
  writer.BeginList("preferences");
  RequireDone(ListAllPreferenceRows(0, [&](const PreferenceRecord& row) {
    if (const auto name = servers.find(row.VirtualServerID); name != servers.end())
      writer.Add({{"computer", name->second.computer},
                  {"vserver", name->second.address},
                  {"description", row.Description},
                  {"settings", row.Settings}});
  }));
  writer.BeginList("accounts");
  size_t orphans = 0;
  // One record whose texts are overwritten row after row, keeping their buffers.
  Record row = {
      {"name", ""},     {"digest", ""}, {"home", ""}, {"quota", "", true}, {"permissions", "", true},
      {"computer", ""}, {"vserver", ""}};
  const ServerName none;
  const auto write = [&](const UserRecord& user) {
    if (TerminationRequested()) return;
    const auto server = servers.find(user.VirtualServerID);
    if (server == servers.end() && user.VirtualServerID != -1) ++orphans;
    const ServerName& name = server == servers.end() ? none : server->second;
    row[0].value = user.UserName;
    row[1].value = user.Password;
    row[2].value = user.HomeDir;
    row[3].value = std::to_string(user.DiskQuota);
    row[4].value = std::to_string(user.Permissions);
    row[5].value = name.computer;
    row[6].value = name.address;
    writer.Add(row);
  };
  // In key order, as stored: no sort, and the import adds them in the order they were made.
  const int listed = computer ? ListUsersOfComputerByKey(0, onlyComputer, write) : ListUsersByKey(0, write);
  // A document cut short is left unterminated, so that no reader takes it for whole.
  if (TerminationRequested())
    throw CliError{kExitRefused, "the export was interrupted: the document is incomplete"};
  if (!listed || StatusAfterModelFailures(0) != 0) throw Refused("the document is incomplete");
  writer.Finish();
  if (writer.NotUtf8())
    std::cerr << "veltrane-admin: " << writer.NotUtf8()
              << " texts hold bytes that are not UTF-8; each such byte is written as the character of its "
                 "value (\\u00XX), so an import stores these texts changed\n";
  if (orphans)
    std::cerr << "veltrane-admin: " << orphans
              << " accounts belong to a virtual server there is no longer; they are written without one\n";
}

int RunExport(Arguments& arguments) {
  const auto computer = arguments.Option("computer");
  arguments.ExpectDone();
  AdminSession session(AskAdministratorPassword());
  WriteConfiguration(session.database, std::cout, computer);
  return 0;
}
