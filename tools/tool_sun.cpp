// terrava-tool sun YYYY-MM-DDTHH:MM: prints the subsolar point the saver's
// real day and night uses at that UTC instant, as "latitude longitude" in
// degrees (north and east positive), for comparison with an ephemeris.
#include <cstdio>

#include "scene/subsolar_point.h"
#include "scene/utc_text.h"
#include "tool_commands.h"

int RunSunCommand(int argc, char** argv) {
  UtcDateTime utc{};
  if (argc != 1 || !ParseUtcText(argv[0], &utc)) {
    std::fprintf(stderr, "usage: terrava-tool sun YYYY-MM-DDTHH:MM    (UTC, years %d..%d)\n", kFirstUtcYear,
                 kLastUtcYear);
    return 2;
  }
  SubsolarPoint sun = SubsolarPointAt(utc);
  std::printf("%.4f %.4f\n", sun.latitude, sun.longitude);
  return 0;
}
