#include "registry/SettingsKey.h"

#include "registry/AsciiCase.h"

namespace linkrake {

SettingsKey::SettingsKey(std::string name) : m_name(std::move(name)) {}

const std::string* SettingsKey::value(std::string_view name) const {
    const auto found = m_values.find(foldAsciiCase(name));
    return found == m_values.end() ? nullptr : &found->second.data;
}

void SettingsKey::setValue(std::string_view name, std::string data) {
    auto [slot, added] = m_values.try_emplace(foldAsciiCase(name), SettingsValue{std::string(name), {}});
    slot->second.data = std::move(data);
}

bool SettingsKey::removeValue(std::string_view name) {
    return m_values.erase(foldAsciiCase(name)) > 0;
}

SettingsKey* SettingsKey::child(std::string_view name) {
    const auto found = m_children.find(foldAsciiCase(name));
    return found == m_children.end() ? nullptr : found->second.get();
}

const SettingsKey* SettingsKey::child(std::string_view name) const {
    const auto found = m_children.find(foldAsciiCase(name));
    return found == m_children.end() ? nullptr : found->second.get();
}

SettingsKey& SettingsKey::addChild(std::string_view name) {
    auto& slot = m_children[foldAsciiCase(name)];
    if (!slot) {
        slot = std::make_unique<SettingsKey>(std::string(name));
    }
    return *slot;
}

bool SettingsKey::removeChild(std::string_view name) {
    return m_children.erase(foldAsciiCase(name)) > 0;
}

}  // namespace linkrake
