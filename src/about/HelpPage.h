#pragma once
// F1 and the Help command: the program's help page, opened in the user's web browser, or in a
// window of the program's own when no browser takes it.
#include <string>
#include <vector>

class QWidget;

namespace linkrake {

inline constexpr char kHelpPageName[] = "linkrake-help.html";

// Where the page may be, in the order they are tried: installed beside the program
// (<program folder>/../<data folder>/doc/linkrake), then the source tree of the build.
std::vector<std::string> HelpPageCandidates(const std::string& programFolder);
// The first candidate that is a file, or "".
std::string FindHelpPage(const std::vector<std::string>& candidates);
// The page for this program, or "" when it is nowhere.
std::string HelpPagePath();

// A file:// address for a local path.
std::string FileUrl(const std::string& path);

// Opens `page` with the browser (one attempt); when that fails, or there is no page, shows it
// (or the general help text) in the help window. Returns the window, or nullptr when the
// browser took the page.
QWidget* OpenHelpPage(const std::string& page);
// OpenHelpPage(HelpPagePath()).
QWidget* OnHelp();

}  // namespace linkrake
