#include "sources/RecentUrlStore.h"

#include <array>

namespace linkrake {

std::string RecentUrlEntryKey(int n) {
    return std::string(kRecentUrlsKey) + "\\url " + std::to_string(n);
}

RecentUrlStore::RecentUrlStore(CRegistryAccess& registry) : m_registry(registry) {}

std::vector<std::string> RecentUrlStore::Load() {
    std::vector<std::string> entries;
    for (int n = 1; n <= kRecentUrlCount; ++n) {
        const std::string key = RecentUrlEntryKey(n);
        if (m_registry.KeyExists(HKEY_CURRENT_USER, key)) {
            entries.push_back(m_registry.ReadStringValue(HKEY_CURRENT_USER, key, ""));
        }
    }
    return entries;
}

RecentUrlSaveResult RecentUrlStore::Save(const std::string& address) {
    if (address.empty()) {
        return RecentUrlSaveResult::NothingToSave;
    }
    // Only the entries before the first missing one are compared; the address takes that one.
    for (int n = 1; n <= kRecentUrlCount; ++n) {
        const std::string key = RecentUrlEntryKey(n);
        if (!m_registry.KeyExists(HKEY_CURRENT_USER, key)) {
            return m_registry.WriteStringValue(HKEY_CURRENT_USER, key, "", address) ? RecentUrlSaveResult::Stored
                                                                                    : RecentUrlSaveResult::Failed;
        }
        if (m_registry.ValueEquals(HKEY_CURRENT_USER, key, "", address, false)) {
            return RecentUrlSaveResult::AlreadyStored;
        }
    }
    return Shift(address) ? RecentUrlSaveResult::Shifted : RecentUrlSaveResult::Failed;
}

// Entries 1..4 move to 2..5 and the address takes entry 1. The last entry is written first and
// the shift stops at the first failed write, so a store that gives out part-way holds one entry
// twice rather than losing one.
bool RecentUrlStore::Shift(const std::string& address) {
    std::array<std::string, kRecentUrlCount> texts;
    for (int n = 1; n <= kRecentUrlCount; ++n) {
        texts[n - 1] = m_registry.ReadStringValue(HKEY_CURRENT_USER, RecentUrlEntryKey(n), "");
    }
    for (int n = kRecentUrlCount; n >= 2; --n) {
        if (!m_registry.WriteStringValue(HKEY_CURRENT_USER, RecentUrlEntryKey(n), "", texts[n - 2])) {
            return false;
        }
    }
    return m_registry.WriteStringValue(HKEY_CURRENT_USER, RecentUrlEntryKey(1), "", address);
}

}  // namespace linkrake
