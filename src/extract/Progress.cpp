#include "extract/Progress.h"


namespace linkrake {

void ProgressTracker::Start(std::uint64_t fileLength) {
  bar_.SetRange(0, kRange);
  accumulator_ = 0.0;
  shown_ = 0;
  bar_.SetPos(0);
  scale_ = fileLength / 10000;
}

}  // namespace linkrake
