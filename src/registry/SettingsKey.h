#pragma once
// One key of the settings store: its name as first spelt, its values and its subkeys.
// Key and value names are found ignoring the case of A-Z; the value named "" is the
// key's default value.
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace linkrake {

struct SettingsValue {
    std::string name;  // as first spelt
    std::string data;  // bytes
};

class SettingsKey {
public:
    explicit SettingsKey(std::string name = {});

    const std::string& name() const { return m_name; }

    const std::string* value(std::string_view name) const;
    void setValue(std::string_view name, std::string data);
    bool removeValue(std::string_view name);
    void clearValues() { m_values.clear(); }
    // Ordered by folded name, so the default value comes first.
    const std::map<std::string, SettingsValue>& values() const { return m_values; }

    SettingsKey* child(std::string_view name);
    const SettingsKey* child(std::string_view name) const;
    // The existing subkey of that name, or a new one spelt as given.
    SettingsKey& addChild(std::string_view name);
    bool removeChild(std::string_view name);
    const std::map<std::string, std::unique_ptr<SettingsKey>>& children() const { return m_children; }

private:
    std::string m_name;
    std::map<std::string, SettingsValue> m_values;
    std::map<std::string, std::unique_ptr<SettingsKey>> m_children;
};

}  // namespace linkrake
