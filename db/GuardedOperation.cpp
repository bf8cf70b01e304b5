#include "db/GuardedOperation.h"

#include <new>

#include "db/DatabaseError.h"
#include "db/FailureReport.h"

namespace {

FailureKind KindOf(const DatabaseError& error) {
  if (dynamic_cast<const CommitOutcomeUnknown*>(&error)) return FailureKind::commitUnknown;
  return error.IsConnectionFailure() ? FailureKind::lost : FailureKind::failed;
}

}  // namespace

bool RunGuarded(int quiet, const std::function<void()>& body) {
  try {
    body();
    return true;
  } catch (const DatabaseError& error) {
    ReportFailure({KindOf(error), error.what(), quiet != 0});
  } catch (const std::bad_alloc&) {
    ReportFailure({FailureKind::unexpected, "Out of memory.", quiet != 0});
  } catch (const std::exception& error) {
    ReportFailure({FailureKind::unexpected, error.what(), quiet != 0});
  } catch (const Refusal& refusal) {
    ReportFailure({FailureKind::refused, refusal.Text(), quiet != 0});
  } catch (...) {
    ReportFailure({FailureKind::unexpected, "An unexpected error occurred.", quiet != 0});
  }
  return false;
}
