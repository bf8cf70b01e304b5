#pragma once
// The one guarded region of every database operation. A failure inside it is reported here,
// by kind, and never reaches the caller:
//   - DatabaseError: the driver's text, caption "Error!!", information icon, no owner;
//   - any other error (out of memory included): the framework's own report with an OK button;
//   - Refusal: the operation's own verdict, caption "Information", information icon, no owner.
// A quiet operation shows nothing. Objects local to the body (recordsets, and with them their
// connections) are closed by the time the box is shown.

#include <functional>
#include <string>

// A mutation's verdict that it may not go on. Deliberately not a std::exception, so that it
// is never taken for a framework error.
class Refusal {
 public:
  explicit Refusal(std::string text) : m_text(std::move(text)) {}
  const std::string& Text() const { return m_text; }

 private:
  std::string m_text;
};

// Runs `body`; true when it finished without a failure.
bool RunGuarded(int quiet, const std::function<void()>& body);

class DatabaseError;
// Called with each database failure the guarded region catches, before it is reported, so a
// front end that ends with a status can tell a lost connection from a refusal.
void SetDatabaseFailureObserver(std::function<void(const DatabaseError&)> observer);
