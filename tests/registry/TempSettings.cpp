#include "TempSettings.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "registry/SettingsLocation.h"

namespace linkrake::test {

std::filesystem::path TempSettings::folder() const {
    return m_dir.Path();
}

std::filesystem::path TempSettings::file() const {
    return folder() / kSettingsFileName;
}

std::string TempSettings::fileBytes() const {
    std::ifstream in(file(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void TempSettings::writeFileBytes(std::string_view bytes) const {
    std::ofstream out(file(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> TempSettings::folderEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder())) {
        names.push_back(entry.path().filename().string());
    }
    std::ranges::sort(names);
    return names;
}

bool runningAsRoot() {
    return geteuid() == 0;
}

int startChild(const std::function<int()>& body) {
    const pid_t child = fork();
    if (child == 0) {
        _exit(body());
    }
    return child;
}

int waitChild(int pid) {
    int status = 0;
    if (pid <= 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

}  // namespace linkrake::test
