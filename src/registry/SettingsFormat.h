#pragma once
// The text form of the settings store on disk.
//
//   linkrake-settings 1
//   [Software\Morvane\Linkrake\2.2\Recent URLs\url 1]
//   @="http://example.com/"
//   "File1"="/home/me/page.html"
//   end
//
// Every key has a line of its own with its full path, so a key without values survives;
// "[]" holds values of the root. "@" names the default value. Quoted texts escape a backslash,
// a double quote and every control byte (\\ \" \xHH); other bytes stand as they are. The end
// line lets a cut-off file be told from a complete one.
#include <optional>
#include <string>
#include <string_view>

#include "registry/SettingsTree.h"

namespace linkrake {

std::string formatSettings(const SettingsTree& tree);

// Nothing when the text is not a complete store in this form.
std::optional<SettingsTree> parseSettings(std::string_view text);

}  // namespace linkrake
