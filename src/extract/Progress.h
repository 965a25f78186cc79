#pragma once
#include <cmath>
#include <cstdint>
#include <limits>

namespace linkrake {

// The progress bar as the search sees it.
class IProgressBar {
 public:
  virtual ~IProgressBar() = default;
  virtual void SetRange(int low, int high) = 0;
  virtual void SetPos(int pos) = 0;
};

// The search's progress: a scale taken from the file's length and an accumulator that every
// step adds to; the bar shows the accumulator truncated toward zero. With a scale of 0 (a file
// under 10,000 bytes) every step leaves the bar at 0.
class ProgressTracker {
 public:
  static constexpr int kRange = 30000;

  explicit ProgressTracker(IProgressBar& bar) : bar_(bar) {}

  // Range 0..30000, accumulator 0, bar at 0, scale = length / 10000.
  void Start(std::uint64_t fileLength);
  std::uint64_t Scale() const { return scale_; }

  void AdvanceProgress(double amount) {
    if (scale_ == 0) {
      Show(0);
      return;
    }
    accumulator_ += amount;
    const double truncated = std::trunc(accumulator_);
    // The bar takes an int; it shows anything above its range as full anyway.
    Show(truncated >= static_cast<double>(std::numeric_limits<int>::max())
             ? std::numeric_limits<int>::max()
             : static_cast<int>(truncated));
  }
  // One line of the given length read.
  void AdvanceByLine(std::size_t length) {
    if (scale_ == 0) {
      Show(0);
    } else {
      AdvanceProgress(static_cast<double>(length) / static_cast<double>(scale_));
    }
  }
  void Finish() { Show(kRange); }

 private:
  // The bar is only told about positions that differ from what it shows.
  void Show(int pos) {
    if (pos != shown_) {
      shown_ = pos;
      bar_.SetPos(pos);
    }
  }

  IProgressBar& bar_;
  std::uint64_t scale_ = 0;
  double accumulator_ = 0.0;
  int shown_ = -1;
};

}  // namespace linkrake
