#pragma once
// A settings store in a temporary folder of its own, and the few helpers the store's tests share.
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "registry/SettingsStore.h"
#include "support/TempDir.h"

namespace linkrake::test {

class TempSettings {
public:
    std::filesystem::path folder() const;
    std::filesystem::path file() const;
    SettingsStore store() const { return SettingsStore(folder()); }

    std::string fileBytes() const;
    void writeFileBytes(std::string_view bytes) const;
    // Names of everything in the folder, sorted.
    std::vector<std::string> folderEntries() const;

private:
    linkrake::testing::TempDir m_dir;
};

// Root may write into read-only folders and files, so tests that rely on permissions skip there.
bool runningAsRoot();

// Starts `body` in a child process, which exits with what it returns.
int startChild(const std::function<int()>& body);
// The child's exit code, or -1 when it could not be started or did not exit normally.
int waitChild(int pid);
inline int runInChild(const std::function<int()>& body) { return waitChild(startChild(body)); }

}  // namespace linkrake::test
