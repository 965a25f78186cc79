#pragma once
// Small access to the per-user settings store: each operation opens what it needs, uses it and
// lets it go before it returns.
#include <string>

#include "registry/SettingsStore.h"

namespace linkrake {

// The tree of settings an operation works in; the current user's is the only one there is.
enum class RegistryRoot { CurrentUser };
inline constexpr RegistryRoot HKEY_CURRENT_USER = RegistryRoot::CurrentUser;

class CRegistryAccess {
public:
    // The text ReadStringValue gives for a key or value that cannot be read.
    static constexpr char kUnreadable[] = "-1";

    // Works on the given store; by default the user's store at its usual place.
    explicit CRegistryAccess(SettingsStore store = SettingsStore());
    virtual ~CRegistryAccess();

    bool KeyExists(RegistryRoot root, std::string path);
    // False when the key or the value cannot be read. Without caseSensitive the texts are equal
    // when they differ at most in the case of A-Z.
    bool ValueEquals(RegistryRoot root, std::string path, std::string name, std::string text,
                     bool caseSensitive);
    // The stored text up to its first NUL byte, or kUnreadable.
    std::string ReadStringValue(RegistryRoot root, std::string path, std::string name);
    // Makes the key and every missing key above it; the text is stored up to its first NUL byte.
    // True exactly when the value was stored.
    bool WriteStringValue(RegistryRoot root, std::string path, std::string name, std::string text);

private:
    SettingsStore& StoreFor(RegistryRoot root);

    SettingsStore m_store;
};

}  // namespace linkrake
