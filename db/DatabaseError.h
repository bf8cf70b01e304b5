#pragma once
// The error the ODBC layer raises when the driver or the driver manager refuses a call. Its
// text is the driver's own diagnostic message, which is what the user is shown.

#include <stdexcept>
#include <string>

class DatabaseError : public std::runtime_error {
 public:
  DatabaseError(const std::string& message, std::string sqlState)
      : std::runtime_error(message), m_sqlState(std::move(sqlState)) {}

  // The five-character SQLSTATE of the first diagnostic record ("08001", "42601", ...).
  const std::string& SqlState() const { return m_sqlState; }
  // Whether the connection, not the statement, is at fault: a communication error (class
  // 08), the server shutting the session down (57P01 to 57P03), or a connection the driver
  // found dead after the failure (whatever text it gave, "internal SAVEPOINT failed" say).
  bool IsConnectionFailure() const {
    return m_connectionDead || m_sqlState.starts_with("08") || m_sqlState == "57P01" ||
           m_sqlState == "57P02" || m_sqlState == "57P03";
  }
  void MarkConnectionDead() { m_connectionDead = true; }

 private:
  std::string m_sqlState;
  bool m_connectionDead = false;
};

// A change that commits as it runs, or a commit, whose answer was lost with the connection:
// the server may or may not have made it. It is never run again by itself.
class CommitOutcomeUnknown : public DatabaseError {
 public:
  explicit CommitOutcomeUnknown(const DatabaseError& error) : DatabaseError(error) {}
};
