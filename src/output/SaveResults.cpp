#include "output/SaveResults.h"

#include <utility>

namespace linkrake {

std::string SaveFailureMessage(std::string_view triedPath) {
  std::string message = "Unable to save contents to selected output file.\n(";
  message.append(triedPath);
  message += ')';
  return message;
}

SaveOutcome SaveContentTo(SaveTarget target, std::string_view content, const ByteWriter& writer) {
  SaveOutcome outcome{std::move(target), {}, {}};
  outcome.error = ReplaceFileContent(outcome.target.path, content, writer);
  if (outcome.error) {
    outcome.message = SaveFailureMessage(outcome.target.path);
  }
  return outcome;
}

}  // namespace linkrake
