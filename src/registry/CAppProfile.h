#pragma once
// The application's own settings in the per-user store: its key, chosen once at start-up, and
// the list of recently opened files that is read at start and written back at exit.
//
//   CAppProfile profile("Linkrake");
//   profile.SetRegistryKey(kRegistryKey);
//   profile.LoadStdProfileSettings(4);
//   ... profile.AddToRecentFileList(path) ...
//   profile.SaveStdProfileSettings();   // at exit
#include <cstddef>
#include <string>
#include <vector>

#include "registry/SettingsStore.h"

namespace linkrake {

class CAppProfile {
public:
    static constexpr char kRecentFileSection[] = "Recent File List";
    static constexpr char kRecentFileEntry[] = "File";  // File1, File2, ...
    static constexpr char kSettingsSection[] = "Settings";
    static constexpr char kPreviewPagesEntry[] = "PreviewPages";
    static constexpr std::size_t kMaxRecentFiles = 16;

    explicit CAppProfile(std::string appName, SettingsStore store = SettingsStore());

    // Settings go under "Software\<key>\<application name>".
    void SetRegistryKey(std::string key);
    // "Software\<key>\<application name>", or "" before SetRegistryKey.
    std::string AppRegistryKey() const;

    // Reads the recent-file list (at most maxRecent entries, at most kMaxRecentFiles) and
    // "PreviewPages", making the application's key and its two section keys if they are missing.
    // A store that cannot be read or written leaves an empty list; the program goes on.
    void LoadStdProfileSettings(std::size_t maxRecent = 4);

    // Puts the full path at the front (a relative one is taken from the working folder); an
    // equal entry moves there, the oldest drops off when full.
    // Nothing happens before LoadStdProfileSettings or for an empty path.
    void AddToRecentFileList(const std::string& path);

    // The exit processing: the recent-file list replaces the one in the store in one step.
    // False when the store could not be written.
    bool SaveStdProfileSettings();

    const std::vector<std::string>& RecentFiles() const { return m_recentFiles; }
    int PreviewPages() const { return m_previewPages; }

private:
    std::string SectionKey(const char* section) const;

    std::string m_appName;
    SettingsStore m_store;
    std::string m_registryKey;
    std::vector<std::string> m_recentFiles;
    std::size_t m_maxRecent = 0;  // 0: no list was loaded
    int m_previewPages = 0;
};

}  // namespace linkrake
