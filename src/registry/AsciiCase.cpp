#include "registry/AsciiCase.h"

#include <algorithm>

namespace linkrake {

std::string foldAsciiCase(std::string_view text) {
    std::string folded(text);
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](char c) { return foldAsciiCase(c); });
    return folded;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return foldAsciiCase(x) == foldAsciiCase(y); });
}

}  // namespace linkrake
