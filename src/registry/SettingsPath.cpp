#include "registry/SettingsPath.h"

#include <algorithm>

namespace linkrake {

bool isValidKeyName(std::string_view name) {
    return !name.empty() && std::ranges::none_of(name, [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7f || c == kKeySeparator;
    });
}

std::optional<std::vector<std::string_view>> splitKeyPath(std::string_view path) {
    std::vector<std::string_view> names;
    if (path.empty()) {
        return names;
    }
    for (;;) {
        const std::size_t cut = path.find(kKeySeparator);
        const std::string_view name = path.substr(0, cut);
        if (!isValidKeyName(name)) {
            return std::nullopt;
        }
        names.push_back(name);
        if (cut == std::string_view::npos) {
            return names;
        }
        path.remove_prefix(cut + 1);
    }
}

}  // namespace linkrake
