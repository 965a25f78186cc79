#pragma once
// The engine's stages one by one, in this process: where a run's time goes.
#include <cstddef>
#include <string>

namespace linkrake::bench {

struct StageTimes {
  double lines = 0;   // reading and finding every line, nothing scanned (the window's way)
  double scan = 0;    // reading, finding the lines that may hold a link and scanning them, the
                      // links collected (the command-line tool's way)
  double sort = 0;    // putting the collected links in order
  double unique = 0;  // removing duplicates
  double write = 0;   // formatting the list for output (to a null device)
  std::size_t links = 0;
  std::size_t kept = 0;
};

StageTimes TimeStages(const std::string& path);

}  // namespace linkrake::bench
