#pragma once
// The whole store in memory: the root key and the path operations over it.
#include <string_view>

#include "registry/SettingsKey.h"

namespace linkrake {

class SettingsTree {
public:
    SettingsKey& root() { return m_root; }
    const SettingsKey& root() const { return m_root; }

    // The key at a backslash path ("" is the root); nullptr when it is missing or the path
    // is not usable.
    SettingsKey* find(std::string_view path);
    const SettingsKey* find(std::string_view path) const;

    // The key at the path, made together with every missing key above it; nullptr only for an
    // unusable path.
    SettingsKey* create(std::string_view path);

    // Takes the key away with everything below it. False when there is no such key; the root
    // itself cannot be removed.
    bool removeTree(std::string_view path);

private:
    SettingsKey m_root;
};

}  // namespace linkrake
