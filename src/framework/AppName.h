#pragma once
// The application's name: the caption of every message box and the last part of the settings key.
// It comes from the executable's file name without its extension, as the program is started.
#include <string>

namespace linkrake {

// Sets the name from argv[0] (its file name, the extension dropped).
void SetAppNameFromPath(const std::string& executablePath);
void SetAppName(std::string name);
// "" until one of the two setters ran.
const std::string& AppName();

}  // namespace linkrake
