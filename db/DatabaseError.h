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

 private:
  std::string m_sqlState;
};
