#pragma once
// Help > General help: the whole user guide in one information box.
#include <string>

namespace linkrake {

// The guide's text, the maker's web site named as the example address. No final line break.
std::string GeneralHelpText();

// Shows GeneralHelpText() in one MB_OK | MB_ICONINFORMATION box.
void ShowGeneralHelp();

}  // namespace linkrake
