#include "db/SessionLiveness.h"

#include "db/AdvisoryLockLiveness.h"
#include "db/ConnectString.h"
#include "db/FileLockLiveness.h"
#include "db/OdbcConnection.h"

std::unique_ptr<SessionLiveness> MakeSessionLiveness(OdbcConnection& connection,
                                                     const std::string& connectionString, int32_t userId) {
  const std::string engine = connection.DbmsName();
  if (engine.find("PostgreSQL") != std::string::npos)
    return std::make_unique<AdvisoryLockLiveness>(connectionString, userId);
  // The driver completes the string with the file it opened.
  const auto file = DatabaseAttribute(connection.Completed());
  if (engine.find("SQLite") != std::string::npos && file && !file->empty() && *file != ":memory:")
    return std::make_unique<FileLockLiveness>(*file, userId);
  return nullptr;
}
