#include "cli/AdminSession.h"

#include <iostream>

#include "cli/CliError.h"
#include "framework/MessageBox.h"

namespace {

constexpr const char* kLockedText = "Database Access is locked. It is being accessed from another machine.";
constexpr const char* kUnreachableText = "Unable to Connect to Database.";

std::string& LastMessage() {
  static std::string text;
  return text;
}

size_t messageCount = 0;

}  // namespace

void ReportModelMessagesOnStandardError() {
  SetMessageBoxPresenter([](CWnd*, const std::string& text, const std::string&, unsigned style) {
    std::cerr << "veltrane-admin: " << text << '\n';
    LastMessage() = text;
    ++messageCount;
    return MessageBoxResults(style).back();  // the most cautious answer; the model asks nothing
  });
}

const std::string& LastModelMessage() { return LastMessage(); }

size_t ModelMessageCount() { return messageCount; }

AdminSession::AdminSession(const std::string& password) {
  LastMessage().clear();
  if (database.Connect(0, "admin", password)) return;
  if (LastMessage().starts_with(kLockedText)) throw CliError{kExitLocked, ""};
  if (LastMessage().starts_with(kUnreachableText)) throw CliError{kExitNoConnection, ""};
  if (LastMessage().empty()) throw Refused("wrong password for admin");
  throw Refused();
}

void RequireDone(int result) {
  if (!result) throw Refused();
}
