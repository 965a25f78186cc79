#include "registry/CAppProfile.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>

namespace linkrake {
namespace {

std::string entryName(std::size_t index) {
    return CAppProfile::kRecentFileEntry + std::to_string(index + 1);
}

int parseInt(const std::string* text) {
    int number = 0;
    if (text != nullptr) {
        std::from_chars(text->data(), text->data() + text->size(), number);
    }
    return number;
}

}  // namespace

CAppProfile::CAppProfile(std::string appName, SettingsStore store)
    : m_appName(std::move(appName)), m_store(std::move(store)) {}

void CAppProfile::SetRegistryKey(std::string key) {
    m_registryKey = std::move(key);
}

std::string CAppProfile::AppRegistryKey() const {
    return m_registryKey.empty() ? std::string() : "Software\\" + m_registryKey + "\\" + m_appName;
}

std::string CAppProfile::SectionKey(const char* section) const {
    return AppRegistryKey() + "\\" + section;
}

void CAppProfile::LoadStdProfileSettings(std::size_t maxRecent) {
    m_maxRecent = std::min(maxRecent, kMaxRecentFiles);
    m_recentFiles.clear();
    m_previewPages = 0;
    if (m_registryKey.empty()) {
        return;
    }
    const SettingsTree tree = m_store.snapshot();
    if (const SettingsKey* list = tree.find(SectionKey(kRecentFileSection))) {
        // Missing and empty entries are passed over, so the list has no holes.
        for (std::size_t i = 0; i < m_maxRecent; ++i) {
            const std::string* path = list->value(entryName(i));
            if (path != nullptr && !path->empty()) {
                m_recentFiles.push_back(*path);
            }
        }
    }
    if (const SettingsKey* settings = tree.find(SectionKey(kSettingsSection))) {
        m_previewPages = parseInt(settings->value(kPreviewPagesEntry));
    }
    // Reading opens the keys with create-if-missing; a store that cannot be written is no
    // reason not to start.
    m_store.edit([this](SettingsTree& store) {
        return store.create(SectionKey(kRecentFileSection)) != nullptr &&
               store.create(SectionKey(kSettingsSection)) != nullptr;
    });
}

void CAppProfile::AddToRecentFileList(const std::string& path) {
    if (m_maxRecent == 0 || path.empty()) {
        return;
    }
    // The list holds full paths, so a file reached by two relative names is one entry.
    std::string fullPath = path;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (!error) {
        fullPath = absolute.lexically_normal().string();
    }
    std::erase(m_recentFiles, fullPath);
    m_recentFiles.insert(m_recentFiles.begin(), fullPath);
    if (m_recentFiles.size() > m_maxRecent) {
        m_recentFiles.resize(m_maxRecent);
    }
}

bool CAppProfile::SaveStdProfileSettings() {
    if (m_registryKey.empty() || m_maxRecent == 0) {
        return true;
    }
    return m_store.edit([this](SettingsTree& store) {
        if (store.create(AppRegistryKey()) == nullptr) {
            return false;
        }
        const std::string section = SectionKey(kRecentFileSection);
        store.removeTree(section);
        for (std::size_t i = 0; i < m_recentFiles.size(); ++i) {
            store.create(section)->setValue(entryName(i), m_recentFiles[i]);
        }
        return true;
    });
}

}  // namespace linkrake
