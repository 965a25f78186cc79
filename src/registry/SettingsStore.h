#pragma once
// The per-user settings store: a tree of keys under the current user, each with string values,
// kept in one file. Key paths are backslash-separated and found ignoring the case of A-Z; a key
// keeps the spelling it was made with. A key exists apart from its values; the value named ""
// is the key's default value.
//
// Every call reads the file afresh; every change takes the store's lock, reads, changes and
// writes the whole file atomically in one step, so programs running at the same time keep each
// other's changes and a failed write leaves the file as it was. A file that cannot be parsed is
// set aside as "<file>.corrupt-<time>" and the store starts empty; a file that exists but cannot
// be read is treated as empty and left alone, and changes then fail rather than overwrite it;
// so do changes to a file that is read-only.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "registry/SettingsTree.h"

namespace linkrake {

class SettingsStore {
public:
    // The store at defaultSettingsFolder(), as it stands when the object is made.
    SettingsStore();
    // The store kept in `folder` (the file kSettingsFileName in it).
    explicit SettingsStore(const std::filesystem::path& folder);

    const std::filesystem::path& file() const { return m_file; }

    // What the store holds now; empty when there is no file or it cannot be read.
    SettingsTree snapshot() const;

    bool keyExists(std::string_view path) const;
    std::optional<std::string> readValue(std::string_view keyPath, std::string_view valueName) const;

    // The changes below report whether they were stored.
    bool createKey(std::string_view path);  // with every missing key above it
    bool writeValue(std::string_view keyPath, std::string_view valueName, std::string_view data);
    // True when the key is gone afterwards, also when it was not there; the root cannot go.
    bool deleteTree(std::string_view path);
    // Removes all values of a key, keeping its subkeys. False when the key is missing.
    bool deleteValues(std::string_view path);

    // Applies several changes as one step: `change` edits the tree read under the lock and returns
    // false to give up without writing anything.
    bool edit(const std::function<bool(SettingsTree&)>& change);

private:
    struct Loaded;
    Loaded load(bool locked) const;
    bool setAside() const;
    bool save(const std::string& text) const;

    std::filesystem::path m_file;
};

}  // namespace linkrake
