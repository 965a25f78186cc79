#pragma once
// Key paths of the settings store: key names joined by backslashes, "" naming the root.
#include <optional>
#include <string_view>
#include <vector>

namespace linkrake {

inline constexpr char kKeySeparator = '\\';

// A usable key name is not empty and holds no control character (and, being one
// name of a path, no backslash).
bool isValidKeyName(std::string_view name);

// The names of a key path, outermost first; empty for the root. Nothing when the path has an
// empty name in it (a leading, trailing or doubled backslash) or an unusable name.
std::optional<std::vector<std::string_view>> splitKeyPath(std::string_view path);

}  // namespace linkrake
