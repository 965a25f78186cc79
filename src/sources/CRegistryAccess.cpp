#include "sources/CRegistryAccess.h"

#include <optional>

#include "registry/AsciiCase.h"

namespace linkrake {
namespace {

// Stored values are C strings: whatever follows a NUL byte is not part of the text.
std::string_view untilNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

}  // namespace

CRegistryAccess::CRegistryAccess(SettingsStore store) : m_store(std::move(store)) {}

CRegistryAccess::~CRegistryAccess() = default;

SettingsStore& CRegistryAccess::StoreFor(RegistryRoot /*root*/) {
    return m_store;
}

bool CRegistryAccess::KeyExists(RegistryRoot root, std::string path) {
    return StoreFor(root).keyExists(path);
}

bool CRegistryAccess::ValueEquals(RegistryRoot root, std::string path, std::string name, std::string text,
                                  bool caseSensitive) {
    const std::optional<std::string> stored = StoreFor(root).readValue(path, name);
    if (!stored) {
        return false;
    }
    const std::string_view storedText = untilNul(*stored);
    return caseSensitive ? storedText == text : equalsIgnoringAsciiCase(storedText, text);
}

std::string CRegistryAccess::ReadStringValue(RegistryRoot root, std::string path, std::string name) {
    const std::optional<std::string> stored = StoreFor(root).readValue(path, name);
    return stored ? std::string(untilNul(*stored)) : std::string(kUnreadable);
}

bool CRegistryAccess::WriteStringValue(RegistryRoot root, std::string path, std::string name, std::string text) {
    return StoreFor(root).writeValue(path, name, untilNul(text));
}

}  // namespace linkrake
