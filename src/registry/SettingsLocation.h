#pragma once
// Where the per-user settings store lives: <config>/Morvane/Linkrake.conf, <config> being
// $XDG_CONFIG_HOME when it is an absolute path, or else ~/.config. A process can move it to a folder of its choosing
// (tests point it at a temporary folder before anything reads the settings).
#include <filesystem>

namespace linkrake {

inline constexpr char kSettingsFileName[] = "Linkrake.conf";

// The folder that holds the store file: the override when one is set, else the maker's folder
// in the user's configuration folder.
std::filesystem::path defaultSettingsFolder();

// Moves the store of this process to `folder`; an empty path goes back to the user's folder.
void setDefaultSettingsFolder(std::filesystem::path folder);

}  // namespace linkrake
