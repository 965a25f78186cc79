#pragma once
// The addresses last entered in the Open URL dialog, at most five, each in the default value of
// its own entry key "url 1" .. "url 5" below the store key. The dialog loads them once when it
// opens and saves its text once when it closes, however it was closed.
#include <string>
#include <vector>

#include "sources/CRegistryAccess.h"

namespace linkrake {

inline constexpr char kRecentUrlsKey[] = "SOFTWARE\\Morvane\\Linkrake\\2.2\\Recent URLs";
inline constexpr int kRecentUrlCount = 5;
// Shown by the dialog, with the error icon, when Save reports Failed.
inline constexpr char kRecentUrlSaveFailedMessage[] = "Unable to put data in the registry.";

// "<store key>\url N", N from 1 to kRecentUrlCount.
std::string RecentUrlEntryKey(int n);

enum class RecentUrlSaveResult {
    NothingToSave,  // the text was empty
    AlreadyStored,  // an entry holds it already (ignoring the case of A-Z); nothing changed
    Stored,         // written into the first free entry
    Shifted,        // all entries were taken: it is entry 1 now and the oldest was dropped
    Failed,         // it could not be stored: the caller shows kRecentUrlSaveFailedMessage
};

class RecentUrlStore {
public:
    explicit RecentUrlStore(CRegistryAccess& registry);

    // The entries that exist, entry 1 first; an unreadable one as "-1", empty ones as they are.
    std::vector<std::string> Load();

    RecentUrlSaveResult Save(const std::string& address);

private:
    bool Shift(const std::string& address);

    CRegistryAccess& m_registry;
};

}  // namespace linkrake
