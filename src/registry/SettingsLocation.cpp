#include "registry/SettingsLocation.h"

#include <QStandardPaths>
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

}  // namespace

std::filesystem::path defaultSettingsFolder() {
    {
        const std::lock_guard lock(overrideMutex());
        if (!overrideFolder().empty()) {
            return overrideFolder();
        }
    }
    // Honours $XDG_CONFIG_HOME and falls back to ~/.config.
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return std::filesystem::path(config.toStdString()) / "Morvane";
}

void setDefaultSettingsFolder(std::filesystem::path folder) {
    const std::lock_guard lock(overrideMutex());
    overrideFolder() = std::move(folder);
}

}  // namespace linkrake
