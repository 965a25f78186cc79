#pragma once
// The engine's stages one by one, in this process: where a run's time goes.
#include <cstddef>
#include <string>

namespace linkrake::bench {

struct StageTimes {
  double read = 0;    // reading and cutting lines, nothing scanned
  double scan = 0;    // reading, cutting and scanning, the links collected
  double sort = 0;    // putting the collected links in order
  double unique = 0;  // removing duplicates
  double write = 0;   // formatting the list for output (to a null device)
  std::size_t links = 0;
  std::size_t kept = 0;
};

StageTimes TimeStages(const std::string& path);

}  // namespace linkrake::bench
