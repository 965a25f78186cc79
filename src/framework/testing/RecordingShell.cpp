#include "framework/testing/RecordingShell.h"

namespace linkrake::testing {

RecordingShell::RecordingShell() : previous_(SetShellService(this)) {}
RecordingShell::~RecordingShell() { SetShellService(previous_); }

bool RecordingShell::Open(const std::string& target) {
  opened.push_back(target);
  if (answers_.empty()) return defaultResult;
  const bool result = answers_.front();
  answers_.pop_front();
  return result;
}

}  // namespace linkrake::testing
