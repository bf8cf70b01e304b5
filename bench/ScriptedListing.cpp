#include <stdexcept>

#include "bench/Listing.h"
#include "bench/PeakRss.h"
#include "bench/Stopwatch.h"
#include "framework/Backend.h"
#include "tests/support/ScriptSteps.h"
#include "framework/scripted/ScriptedBackend.h"
#include "framework/scripted/ScriptedWindow.h"

ListingResult ListWithScriptedBackend(ConfigDatabase& session) {
  ListingResult result;
  ScriptSteps steps;
  steps.Window([&result](ScriptedWindow& sheet) {
    result.peakBeforeKiB = PeakRssKiB();
    const Stopwatch clock;
    sheet.Select(kComputerCombo, "(local)");
    result.seconds = clock.Seconds();
    result.rows = sheet.Count(kUserList);
    sheet.CloseSheet(false);
  });
  ScriptedBackend backend(steps);
  BackendScope use(backend);
  ShowUsersPage(session);
  if (!backend.Failure().empty()) throw std::runtime_error(backend.Failure());
  return result;
}
