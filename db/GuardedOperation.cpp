#include "db/GuardedOperation.h"

#include <new>

#include "db/DatabaseError.h"
#include "framework/MessageBox.h"

namespace {

std::function<void(const DatabaseError&)>& Observer() {
  static std::function<void(const DatabaseError&)> observer;
  return observer;
}

void Report(int quiet, const std::string& text, const std::string& caption) {
  if (!quiet) MessageBox(nullptr, text, caption, MB_OK | MB_ICONINFORMATION);
}

void ReportFrameworkError(int quiet, const std::string& text) {
  if (!quiet) AfxMessageBox(text, MB_OK);
}

}  // namespace

bool RunGuarded(int quiet, const std::function<void()>& body) {
  try {
    body();
    return true;
  } catch (const DatabaseError& error) {
    if (Observer()) Observer()(error);
    Report(quiet, error.what(), "Error!!");
  } catch (const std::bad_alloc&) {
    ReportFrameworkError(quiet, "Out of memory.");
  } catch (const std::exception& error) {
    ReportFrameworkError(quiet, error.what());
  } catch (const Refusal& refusal) {
    Report(quiet, refusal.Text(), "Information");
  } catch (...) {
    ReportFrameworkError(quiet, "An unexpected error occurred.");
  }
  return false;
}

void SetDatabaseFailureObserver(std::function<void(const DatabaseError&)> observer) {
  Observer() = std::move(observer);
}
