#include "extract/BaseRule.h"

namespace linkrake {

bool ApplyBaseRule(std::string& text) {
  // "https://" counts as a marker too: without it a secure address would become
  // "http://https://...", which names nothing.
  for (const char* marker : {"http://", "https://", "ftp://"}) {
    if (text.find(marker) != std::string::npos) return false;
  }
  text.insert(0, "http://");
  return true;
}

}  // namespace linkrake
