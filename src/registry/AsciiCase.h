#pragma once
// Letter case as the settings store and its callers compare it: only A-Z and a-z are folded,
// every other byte (UTF-8 sequences included) must match exactly.
#include <string>
#include <string_view>

namespace linkrake {

constexpr char foldAsciiCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string foldAsciiCase(std::string_view text);

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace linkrake
