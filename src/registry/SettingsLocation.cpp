#include "registry/SettingsLocation.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <mutex>

namespace linkrake {
namespace {

std::mutex& overrideMutex() {
    static std::mutex mutex;
    return mutex;
}

std::filesystem::path& overrideFolder() {
    static std::filesystem::path folder;
    return folder;
}

// An absolute path from the environment, or nothing: a relative one would put the settings
// wherever the program happened to be started.
std::filesystem::path absoluteFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr) {
        return {};
    }
    std::filesystem::path path(value);
    return path.is_absolute() ? path : std::filesystem::path();
}

std::filesystem::path homeFolder() {
    std::filesystem::path home = absoluteFromEnvironment("HOME");
    if (home.empty()) {
        if (const passwd* user = getpwuid(getuid()); user != nullptr && user->pw_dir != nullptr) {
            home = user->pw_dir;
        }
    }
    return home.empty() ? std::filesystem::path("/") : home;
}

// The desktop's rule: $XDG_CONFIG_HOME when it is an absolute path, else ~/.config.
std::filesystem::path userConfigFolder() {
    std::filesystem::path config = absoluteFromEnvironment("XDG_CONFIG_HOME");
    return config.empty() ? homeFolder() / ".config" : config;
}

}  // namespace

std::filesystem::path defaultSettingsFolder() {
    {
        const std::lock_guard lock(overrideMutex());
        if (!overrideFolder().empty()) {
            return overrideFolder();
        }
    }
    return userConfigFolder() / "Morvane";
}

void setDefaultSettingsFolder(std::filesystem::path folder) {
    const std::lock_guard lock(overrideMutex());
    overrideFolder() = std::move(folder);
}

}  // namespace linkrake
