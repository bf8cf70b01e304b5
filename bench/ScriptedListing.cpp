#include <stdexcept>

#include "bench/Listing.h"
#include "bench/Measure.h"
#include "bench/ShowSheet.h"
#include "framework/Backend.h"
#include "tests/support/ScriptSteps.h"
#include "framework/scripted/ScriptedBackend.h"
#include "framework/scripted/ScriptedWindow.h"

namespace {

// Opens the sheet on `startPage` on the scripted backend and times `act` on it; then closes it.
ListingResult TimeOnSheet(ConfigDatabase& session, int startPage, void (*act)(ScriptedWindow&)) {
  ListingResult result;
  ScriptSteps steps;
  steps.Window([&result, act](ScriptedWindow& sheet) {
    result.peakBeforeKiB = PeakRssKiB();
    const Stopwatch clock;
    act(sheet);
    result.seconds = clock.Seconds();
    result.rows = sheet.Count(IDC_USER_LIST);
    sheet.CloseSheet(false);
  });
  ScriptedBackend backend(steps);
  BackendScope use(backend);
  ShowSheet(session, startPage);
  if (!backend.Failure().empty()) throw std::runtime_error(backend.Failure());
  return result;
}

}  // namespace

ListingResult ListWithScriptedBackend(ConfigDatabase& session) {
  return TimeOnSheet(session, kUsersPage,
                     [](ScriptedWindow& sheet) { sheet.Select(IDC_COMPUTER, "(local)"); });
}

ListingResult SwitchToUsersWithScriptedBackend(ConfigDatabase& session) {
  return TimeOnSheet(session, kGeneralPage, [](ScriptedWindow& sheet) { sheet.ActivatePage(kUsersPage); });
}
