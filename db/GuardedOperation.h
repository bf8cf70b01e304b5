#pragma once
// The one guarded region of every database operation. A failure inside it is reported
// (db/FailureReport.h), by kind, and never reaches the caller:
//   - DatabaseError: the driver's text, as lost when the connection is at fault, as
//     commitUnknown when that happened at a commit, else as failed;
//   - Refusal: the operation's own verdict, as refused;
//   - any other error (out of memory included): as unexpected.
// A quiet operation's report is marked quiet. Objects local to the body (recordsets, and with
// them their connections) are closed by the time the failure is reported.

#include <functional>
#include <string>

// A mutation's verdict that it may not go on. Deliberately not a std::exception, so that it
// is never taken for an unexpected error.
class Refusal {
 public:
  explicit Refusal(std::string text) : m_text(std::move(text)) {}
  const std::string& Text() const { return m_text; }

 private:
  std::string m_text;
};

// Runs `body`; true when it finished without a failure.
bool RunGuarded(int quiet, const std::function<void()>& body);
