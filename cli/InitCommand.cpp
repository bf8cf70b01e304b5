// veltrane-admin init [--sqlite FILE | --connect "CONNECTION STRING" | --dsn NAME] [--unit NAME]
// Makes the tables and indexes that are missing, stores the connection string in the registry
// store and makes the built-in accounts as the first log-in would. Without an option it sets
// up the embedded SQLite default. Every argument is checked before anything is written. A
// connection string that says "Pwd=-" gets its password from standard input or the terminal.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <utility>

#include "cli/AdminSession.h"
#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/Output.h"
#include "cli/Commands.h"
#include "cli/InstalledFolders.h"
#include "cli/Locations.h"
#include "cli/Prompter.h"
#include "cli/ServiceUnit.h"
#include "cli/TextEscape.h"
#include "db/ConnectionAttributes.h"
#include "db/ConnectionPool.h"
#include "db/DatabaseError.h"
#include "db/Schema.h"
#include "db/SessionSettings.h"
#include "platform/FileDescriptor.h"
#include "platform/RegistryStore.h"
#include "platform/RootTrust.h"

namespace {

namespace fs = std::filesystem;

// The string the session keeps, and the one init itself connects with.
struct Target {
  std::string stored;
  std::string forSetUp;
};

// An existing database file that init may set up: a regular file reached without a symbolic
// link, and, for root, one that root owns (whoever owns it may replace it with a link to
// any file at any time, and root's SQLite would then write there).
void RequireUsableDatabaseFile(const fs::path& path) {
  const FileDescriptor file(open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  struct stat info;
  if (file.get() < 0 && errno == ELOOP)
    throw Refused(path.string() + " is a symbolic link, which init does not follow. Remove it (rm " +
                  path.string() + "), then run init again.");
  if (file.get() < 0 || fstat(file.get(), &info) != 0)
    throw Refused("cannot open " + path.string() + ": " + std::strerror(errno));
  if (!S_ISREG(info.st_mode)) throw Refused(path.string() + " is not a regular file.");
  if (RunningAsRoot() && info.st_uid != 0)
    throw Refused(path.string() +
                  " belongs to another user, who could replace it; as root, init sets up only a "
                  "file that root owns. Check it, then: chown root " +
                  path.string());
}

// The SQLite file is made here, never through a symbolic link, so that the driver never
// has to make it: both strings carry NoCreat=1. The accounts' digests are in it: only its
// owner may read a file made here, and its group too in a folder shared with the group, as
// the registry store does (the installed default).
Target SQLiteTarget(const std::string& file) {
  const fs::path path = fs::absolute(file);
  fs::create_directories(path.parent_path());
  const FileDescriptor made(open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (made.get() >= 0)
    fchmod(made.get(), registry_store::NewFileMode(path.parent_path()));
  else if (errno == EEXIST)
    RequireUsableDatabaseFile(path);
  else
    throw Refused("cannot make " + path.string() + ": " + std::strerror(errno));
  const std::string connectionString =
      "Driver=SQLite3;Database=" + path.string() + ";StepAPI=1;Timeout=5000;NoCreat=1";
  return {connectionString, connectionString};
}

// A password for a connection string, in braces when the text needs them.
std::string AttributeValue(const std::string& text) {
  if (text.find_first_of(";{}= ") == std::string::npos) return text;
  std::string braced = "{";
  for (const char c : text) braced += c == '}' ? std::string("}}") : std::string(1, c);
  return braced + "}";
}

// The connection string with a "Pwd=-" (any case) replaced by the password asked for, so
// that it never stands on the command line.
std::string WithAskedPassword(const std::string& connection) {
  return WithValuesReplaced(
      connection, [](const ConnectionAttribute& attribute) -> std::optional<std::string> {
        const bool asked = attribute.Plain() == "-" && attribute.value.find('{') == std::string::npos;
        if (!asked || !(attribute.Is("PWD") || attribute.Is("Password"))) return std::nullopt;
        return AttributeValue(AskDatabasePassword());
      });
}

// The options of init, all checked before anything is written.
struct InitOptions {
  std::optional<std::string> file;
  std::optional<std::string> connect;
  std::optional<std::string> dsn;
  std::optional<std::string> unit;

  explicit InitOptions(Arguments& arguments)
      : file(arguments.Option("sqlite")),
        connect(arguments.Option("connect")),
        dsn(arguments.Option("dsn")),
        unit(arguments.Option("unit")) {
    arguments.ExpectDone();
    if ((file ? 1 : 0) + (connect ? 1 : 0) + (dsn ? 1 : 0) > 1)
      throw UsageError("init takes one of --sqlite, --connect and --dsn");
    for (const auto& [option, value] : {std::pair{"--sqlite", file}, {"--connect", connect}, {"--dsn", dsn}})
      if (value && value->empty()) throw Refused(std::string(option) + " needs a value that is not empty");
    if (unit) CheckServiceUnitName(*unit);
    if (connect) connect = WithAskedPassword(*connect);
  }
};

Target ChosenTarget(const InitOptions& options) {
  if (options.connect) return {*options.connect, *options.connect};
  if (options.dsn) return {"DSN=" + *options.dsn + ";", "DSN=" + *options.dsn + ";"};
  return SQLiteTarget(options.file.value_or(EmbeddedDatabasePath()));
}

void PrintNames(const char* what, const std::vector<std::string>& names) {
  Confirmation() << what;
  for (const std::string& name : names) Confirmation() << ' ' << name;
  Confirmation() << '\n';
}

void MakeTables(const std::string& connectionString) {
  try {
    ConnectionLease lease(connectionString);
    const SchemaChanges made = CreateMissingParts(lease, SchemaScriptFor(lease.Connection(), SchemaFolder()));
    if (made.tables.empty())
      Confirmation() << "The tables were there already.\n";
    else
      PrintNames("Made the tables:", made.tables);
    if (!made.indexes.empty()) PrintNames("Made the indexes:", made.indexes);
    for (const std::string& prevented : made.preventedIndexes)
      std::cerr << "veltrane-admin: " << EscapedForTerminal(prevented)
                << ". Everything else works; rename or delete all but one of each, then run init again.\n";
  } catch (const DatabaseError& error) {
    throw CliError{kExitNoConnection, std::string("cannot set up the database: ") + error.what()};
  } catch (const std::exception& error) {
    throw Refused(error.what());
  }
}

}  // namespace

int RunInit(Arguments& arguments) {
  const InitOptions options(arguments);
  ReportInstalledFolders();
  const Target target = ChosenTarget(options);
  MakeTables(target.forSetUp);
  CloseIdleConnections();
  if (WriteSessionSetting(kConnectionStringValue, target.stored) != 0)
    throw Refused("the connection string could not be stored in the registry store at " +
                  RegistryStoreFolder());
  if (options.unit) StoreServiceUnit(*options.unit);
  ConfigDatabase session;  // the built-in accounts, made as the first log-in makes them
  if (!session.Connect(0, "", "")) throw CliError{kExitNoConnection, ""};
  session.Close();
  Confirmation() << "The configuration is ready: " << MaskedConnectionString(target.stored) << "\n"
                 << "Registry store: " << RegistryStoreFolder() << "\n"
                 << "Log in as \"admin\"; veltrane-admin user passwd admin changes its password.\n";
  return 0;
}
