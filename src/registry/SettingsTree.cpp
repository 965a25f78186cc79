#include "registry/SettingsTree.h"

#include "registry/SettingsPath.h"

namespace linkrake {

const SettingsKey* SettingsTree::find(std::string_view path) const {
    const auto names = splitKeyPath(path);
    if (!names) {
        return nullptr;
    }
    const SettingsKey* key = &m_root;
    for (const std::string_view name : *names) {
        key = key->child(name);
        if (key == nullptr) {
            return nullptr;
        }
    }
    return key;
}

SettingsKey* SettingsTree::find(std::string_view path) {
    return const_cast<SettingsKey*>(static_cast<const SettingsTree*>(this)->find(path));
}

SettingsKey* SettingsTree::create(std::string_view path) {
    const auto names = splitKeyPath(path);
    if (!names) {
        return nullptr;
    }
    SettingsKey* key = &m_root;
    for (const std::string_view name : *names) {
        key = &key->addChild(name);
    }
    return key;
}

bool SettingsTree::removeTree(std::string_view path) {
    const auto names = splitKeyPath(path);
    if (!names || names->empty()) {
        return false;
    }
    SettingsKey* parent = &m_root;
    for (std::size_t i = 0; i + 1 < names->size(); ++i) {
        parent = parent->child((*names)[i]);
        if (parent == nullptr) {
            return false;
        }
    }
    return parent->removeChild(names->back());
}

}  // namespace linkrake
