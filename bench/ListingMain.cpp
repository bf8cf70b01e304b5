// The Users page listing every account, measured in one process.
//   veltrane-bench-listing [--qt] CONNECTION-STRING EMPTY-COMPUTER
// lists on the scripted backend, or with --qt on the Qt backend (headless with
// QT_QPA_PLATFORM=offscreen), and prints: seconds to fill the list, its rows, the peak RSS in
// KiB before the listing and at the end, and on Qt the seconds until the first rows showed and
// the longest turn of the event loop while the list filled.

#include <cstdio>
#include <string>

#include "bench/BenchMain.h"
#include "bench/BenchSession.h"
#include "bench/Listing.h"
#include "bench/Measure.h"
#include "db/ConfigDatabase.h"

int main(int argc, char** argv) {
  const bool qt = argc == 4 && std::string(argv[1]) == "--qt";
  return BenchMain("veltrane-bench-listing", "[--qt] CONNECTION-STRING EMPTY-COMPUTER", argc == 3 || qt, [&] {
    ConfigDatabase session;
    ConnectAsAdministrator(session, argv[argc - 2]);
    session.computerName = argv[argc - 1];
    const ListingResult result = qt ? ListWithQtBackend(session) : ListWithScriptedBackend(session);
    std::printf("%.6f %d %ld %ld %.6f %.6f\n", result.seconds, result.rows, result.peakBeforeKiB,
                PeakRssKiB(), result.firstRowsSeconds, result.longestTurnSeconds);
  });
}
