#include "sources/TempFileWriter.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace linkrake {
namespace {

namespace fs = std::filesystem;

class TempFileWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "linkrake-tempfile-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        path = (folder / "_tmp_page").string();
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(folder, fs::perms::owner_all, ignored);
        fs::remove_all(folder, ignored);
    }

    fs::path folder;
    std::string path;
};

std::string readAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

mode_t modeOf(const fs::path& file) {
    struct stat info {};
    EXPECT_EQ(::lstat(file.c_str(), &info), 0) << file;
    return info.st_mode;
}

TEST_F(TempFileWriterTest, StoresThePageByteForByteForItsOwnerOnly) {
    const std::vector<std::pair<const char*, std::string>> pages = {
        {"line feeds", "<a href=\"http://a/\">\nsecond\n"},
        {"carriage returns", "one\r\ntwo\r\n\rthree\r"},
        {"nul bytes", std::string("a\0b\0\0c", 6)},
        {"empty", ""},
        {"large", std::string(300'000, 'z') + "end"},
    };
    for (const auto& [name, page] : pages) {
        SCOPED_TRACE(name);
        const FileWriteResult result = WriteTempFile(path, page);
        ASSERT_TRUE(result.ok) << result.reason;
        EXPECT_TRUE(result.reason.empty());
        EXPECT_TRUE(readAll(path) == page) << "the file's bytes differ from the page";
        EXPECT_EQ(modeOf(path) & 07777, 0600u);
    }
}

TEST_F(TempFileWriterTest, AnEarlierFileIsEmptiedAndMadePrivate) {
    struct Case {
        const char* name;
        bool existing;
        mode_t mask;
    };
    const std::vector<Case> cases = {{"world-readable leftover", true, 022},
                                     {"new file under a narrow umask", false, 0277}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(path);
        if (c.existing) {
            writeFile(path, std::string(10'000, 'o'));
            fs::permissions(path, fs::perms(0666));
        }
        const mode_t previous = ::umask(c.mask);
        const FileWriteResult result = WriteTempFile(path, "new page");
        ::umask(previous);
        ASSERT_TRUE(result.ok) << result.reason;
        EXPECT_EQ(readAll(path), "new page");
        EXPECT_EQ(modeOf(path) & 07777, 0600u);
    }
}

TEST_F(TempFileWriterTest, WhateverIsPlantedAtThePathIsLeftAlone) {
    const fs::path victim = folder / "victim";
    const fs::path missing = folder / "would-be-created";
    struct Case {
        const char* name;
        std::function<void()> plant;
        bool needsRoot;
    };
    const std::vector<Case> cases = {
        {"link to a file", [&] { fs::create_symlink(victim, path); }, false},
        {"link to nowhere", [&] { fs::create_symlink(missing, path); }, false},
        {"link to a folder", [&] { fs::create_directory_symlink(folder, path); }, false},
        {"second name of a file", [&] { fs::create_hard_link(victim, path); }, false},
        {"fifo", [&] { ASSERT_EQ(::mkfifo(path.c_str(), 0666), 0); }, false},
        {"folder", [&] { fs::create_directory(path); }, false},
        {"another user's file",
         [&] {
             writeFile(path, "theirs");
             fs::permissions(path, fs::perms(0666));
             ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.needsRoot && ::geteuid() != 0) {
            continue;  // only root can give a file away
        }
        fs::remove_all(path);
        writeFile(victim, "the victim's own bytes");
        fs::permissions(victim, fs::perms(0644));
        c.plant();
        const mode_t plantedType = modeOf(path) & S_IFMT;
        const std::string plantedBytes = fs::is_regular_file(path) ? readAll(path) : "";

        const FileWriteResult result = WriteTempFile(path, "attacker's wish");
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.reason.find(path), std::string::npos) << result.reason;
        EXPECT_EQ(readAll(victim), "the victim's own bytes");
        EXPECT_EQ(modeOf(victim) & 07777, 0644u);
        EXPECT_FALSE(fs::exists(missing));
        EXPECT_EQ(modeOf(path) & S_IFMT, plantedType);
        if (fs::is_regular_file(path)) {
            EXPECT_EQ(readAll(path), plantedBytes);
        }
    }
}

TEST_F(TempFileWriterTest, AFolderThatCannotTakeTheFileIsReported) {
    writeFile(folder / "plain-file", "x");
    std::vector<std::pair<const char*, std::string>> cases = {
        {"missing folder", (folder / "no-such-folder" / "_tmp_page").string()},
        {"file in place of a folder", (folder / "plain-file" / "_tmp_page").string()},
        {"no path", ""},
    };
    const fs::path locked = folder / "locked";
    fs::create_directory(locked);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    if (::geteuid() != 0) {  // root writes into any folder
        cases.emplace_back("folder without write permission", (locked / "_tmp_page").string());
    }
    for (const auto& [name, target] : cases) {
        SCOPED_TRACE(name);
        const FileWriteResult result = WriteTempFile(target, "page");
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(result.reason.empty());
        EXPECT_FALSE(fs::exists(target));
    }
}

TEST_F(TempFileWriterTest, AWriteCutShortIsReported) {
    // A file size limit makes the disk refuse bytes past the first 4 KiB, like a full disk.
    struct rlimit previous {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = previous;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileWriteResult result = WriteTempFile(path, std::string(65'536, 'w'));
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.reason.find("cannot write"), std::string::npos) << result.reason;
}

}  // namespace
}  // namespace linkrake
