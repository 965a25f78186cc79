#include "registry/SettingsFormat.h"

#include <cstdio>

#include "registry/SettingsPath.h"

namespace linkrake {
namespace {

constexpr std::string_view kHeader = "linkrake-settings 1";
constexpr std::string_view kEnd = "end";
constexpr std::string_view kDefaultValueName = "@";

bool isControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7f;
}

void appendQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        if (c == '\\' || c == '"') {
            out += '\\';
            out += c;
        } else if (isControl(c)) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02x", static_cast<unsigned char>(c));
            out += escape;
        } else {
            out += c;
        }
    }
    out += '"';
}

// The root (empty path) gets a line only when it holds values of its own.
void appendKey(std::string& out, const SettingsKey& key, const std::string& path) {
    if (!path.empty() || !key.values().empty()) {
        out += '[';
        out += path;
        out += "]\n";
    }
    for (const auto& [folded, value] : key.values()) {
        if (value.name.empty()) {
            out += kDefaultValueName;
        } else {
            appendQuoted(out, value.name);
        }
        out += '=';
        appendQuoted(out, value.data);
        out += '\n';
    }
    for (const auto& [folded, child] : key.children()) {
        appendKey(out, *child, path.empty() ? child->name() : path + kKeySeparator + child->name());
    }
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads one quoted text from the front of `line` and drops it from there.
std::optional<std::string> takeQuoted(std::string_view& line) {
    if (line.empty() || line.front() != '"') {
        return std::nullopt;
    }
    std::string text;
    std::size_t i = 1;
    while (i < line.size()) {
        const char c = line[i];
        if (c == '"') {
            line.remove_prefix(i + 1);
            return text;
        }
        if (isControl(c)) {
            return std::nullopt;
        }
        if (c != '\\') {
            text += c;
            ++i;
            continue;
        }
        if (i + 1 >= line.size()) {
            return std::nullopt;
        }
        const char escaped = line[i + 1];
        if (escaped == '\\' || escaped == '"') {
            text += escaped;
            i += 2;
        } else if (escaped == 'x' && i + 3 < line.size() && hexDigit(line[i + 2]) >= 0 &&
                   hexDigit(line[i + 3]) >= 0) {
            text += static_cast<char>(hexDigit(line[i + 2]) * 16 + hexDigit(line[i + 3]));
            i += 4;
        } else {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

bool parseValueLine(std::string_view line, SettingsKey& key) {
    std::string name;
    if (line.starts_with(kDefaultValueName)) {
        line.remove_prefix(kDefaultValueName.size());
    } else {
        auto quoted = takeQuoted(line);
        if (!quoted || quoted->empty()) {
            return false;
        }
        name = std::move(*quoted);
    }
    if (line.empty() || line.front() != '=') {
        return false;
    }
    line.remove_prefix(1);
    auto data = takeQuoted(line);
    if (!data || !line.empty()) {
        return false;
    }
    key.setValue(name, std::move(*data));
    return true;
}

}  // namespace

std::string formatSettings(const SettingsTree& tree) {
    std::string out(kHeader);
    out += '\n';
    appendKey(out, tree.root(), "");
    out += kEnd;
    out += '\n';
    return out;
}

std::optional<SettingsTree> parseSettings(std::string_view text) {
    SettingsTree tree;
    SettingsKey* current = nullptr;
    bool sawHeader = false;
    bool sawEnd = false;
    while (!text.empty()) {
        const std::size_t cut = text.find('\n');
        std::string_view line = text.substr(0, cut);
        text.remove_prefix(cut == std::string_view::npos ? text.size() : cut + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (!sawHeader) {
            if (line != kHeader) {
                return std::nullopt;
            }
            sawHeader = true;
            continue;
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (sawEnd) {
            return std::nullopt;  // something stands after the end line
        }
        if (line == kEnd) {
            sawEnd = true;
        } else if (line.front() == '[') {
            if (line.size() < 2 || line.back() != ']') {
                return std::nullopt;
            }
            current = tree.create(line.substr(1, line.size() - 2));
            if (current == nullptr) {
                return std::nullopt;
            }
        } else if (current == nullptr || !parseValueLine(line, *current)) {
            return std::nullopt;
        }
    }
    if (!sawEnd) {
        return std::nullopt;
    }
    return tree;
}

}  // namespace linkrake
