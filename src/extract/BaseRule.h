#pragma once
#include <string>

namespace linkrake {

// Completes a base location or an address: unless it already names a scheme somewhere
// ("http://", "https://" or "ftp://", case-sensitive), "http://" goes in front of it.
// Returns whether the text changed.
bool ApplyBaseRule(std::string& text);

}  // namespace linkrake
