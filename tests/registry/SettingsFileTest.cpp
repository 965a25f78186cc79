// The store's file on disk: private, replaced atomically, shared safely between processes,
// and never lost when it cannot be parsed or read.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QLockFile>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "TempSettings.h"
#include "registry/SettingsFormat.h"
#include "registry/SettingsLocation.h"
#include "registry/SettingsStore.h"

namespace linkrake {
namespace {

namespace fs = std::filesystem;
using test::runInChild;
using test::runningAsRoot;
using test::startChild;
using test::TempSettings;
using test::waitChild;

constexpr char kCorruptPrefix[] = "Linkrake.conf.corrupt-";

std::vector<std::string> corruptCopies(const TempSettings& temp) {
    std::vector<std::string> names;
    for (const std::string& name : temp.folderEntries()) {
        if (name.starts_with(kCorruptPrefix)) {
            names.push_back(name);
        }
    }
    return names;
}

// Puts a folder's or file's permissions back when the test ends, failed or not.
class PermissionsGuard {
public:
    PermissionsGuard(fs::path path, fs::perms perms) : m_path(std::move(path)), m_saved(fs::status(m_path).permissions()) {
        fs::permissions(m_path, perms);
    }
    ~PermissionsGuard() { fs::permissions(m_path, m_saved); }
    PermissionsGuard(const PermissionsGuard&) = delete;
    PermissionsGuard& operator=(const PermissionsGuard&) = delete;

private:
    fs::path m_path;
    fs::perms m_saved;
};

// Waits until `file` exists, so that several children start their work together.
bool waitForFile(const fs::path& file) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!fs::exists(file)) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

TEST(SettingsFileTest, ANewStoreFileIsReadableByItsOwnerOnly) {
    TempSettings temp;
    ASSERT_TRUE(temp.store().writeValue("A", "", "private"));
    const fs::perms perms = fs::status(temp.file()).permissions();
    EXPECT_EQ(perms & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
}

TEST(SettingsFileTest, TheFirstWriteMakesTheMissingFolders) {
    TempSettings temp;
    const SettingsStore store(temp.folder() / "config" / "Morvane");
    ASSERT_TRUE(SettingsStore(store).writeValue("A", "", "x"));
    EXPECT_TRUE(fs::is_regular_file(temp.folder() / "config" / "Morvane" / kSettingsFileName));
    EXPECT_EQ(store.readValue("A", ""), "x");
}

TEST(SettingsFileTest, NothingIsWrittenForReadsOrForChangesThatChangeNothing) {
    TempSettings temp;
    EXPECT_FALSE(temp.store().keyExists("A"));
    EXPECT_TRUE(temp.store().deleteTree("A"));
    EXPECT_FALSE(fs::exists(temp.file()));

    ASSERT_TRUE(temp.store().writeValue("A", "", "x"));
    const auto written = fs::last_write_time(temp.file());
    const fs::file_time_type old = written - std::chrono::hours(1);
    fs::last_write_time(temp.file(), old);
    EXPECT_TRUE(temp.store().writeValue("a", "", "x"));
    EXPECT_TRUE(temp.store().createKey("A"));
    EXPECT_EQ(fs::last_write_time(temp.file()), old);
}

TEST(SettingsFileTest, AWriteThatFailsPartWayKeepsTheOldFile) {
    // The child may write no file larger than the store is now; each of these values makes it
    // larger, a little (the write runs short at its very end) or by far.
    for (const std::size_t valueSize : {std::size_t{40}, std::size_t{20000}, std::size_t{1024 * 1024}}) {
        SCOPED_TRACE(valueSize);
        TempSettings temp;
        ASSERT_TRUE(temp.store().writeValue("Kept", "", "the old contents"));
        ASSERT_TRUE(temp.store().writeValue("Kept\\Padding", "", std::string(2000, 'p')));
        const std::string before = temp.fileBytes();

        const int result = runInChild([&] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{before.size(), before.size()};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0) {
                return 2;
            }
            return temp.store().writeValue("Big", "", std::string(valueSize, 'x')) ? 1 : 0;
        });
        ASSERT_EQ(result, 0) << "the write of the big value should have failed";

        EXPECT_EQ(temp.fileBytes(), before);
        EXPECT_EQ(temp.folderEntries(), std::vector<std::string>{kSettingsFileName});
        EXPECT_EQ(temp.store().readValue("Kept", ""), "the old contents");
        EXPECT_FALSE(temp.store().keyExists("Big"));
    }
}

TEST(SettingsFileTest, TwoProcessesWritingAtOnceBothKeepTheirChanges) {
    TempSettings temp;
    constexpr int kWrites = 40;
    const fs::path go = temp.folder() / "go";
    auto writer = [&](const std::string& who) {
        return [&, who] {
            if (!waitForFile(go)) {
                return 2;
            }
            SettingsStore store(temp.folder());
            for (int i = 0; i < kWrites; ++i) {
                if (!store.writeValue("Shared\\" + who, "v" + std::to_string(i), std::to_string(i))) {
                    return 1;
                }
            }
            return 0;
        };
    };
    const int first = startChild(writer("First"));
    const int second = startChild(writer("Second"));
    std::ofstream(go) << "go";
    EXPECT_EQ(waitChild(first), 0);
    EXPECT_EQ(waitChild(second), 0);

    const SettingsTree tree = temp.store().snapshot();
    for (const char* who : {"First", "Second"}) {
        SCOPED_TRACE(who);
        const SettingsKey* key = tree.find(std::string("Shared\\") + who);
        ASSERT_NE(key, nullptr);
        EXPECT_EQ(key->values().size(), static_cast<std::size_t>(kWrites));
        for (int i = 0; i < kWrites; ++i) {
            const std::string* value = key->value("v" + std::to_string(i));
            ASSERT_NE(value, nullptr) << i;
            EXPECT_EQ(*value, std::to_string(i));
        }
    }
    EXPECT_TRUE(corruptCopies(temp).empty());
}

TEST(SettingsFileTest, AReaderNeverSeesAHalfWrittenFile) {
    TempSettings temp;
    ASSERT_TRUE(temp.store().writeValue("Padding", "", std::string(200 * 1024, 'p')));
    constexpr int kWrites = 60;
    const int writer = startChild([&] {
        SettingsStore store(temp.folder());
        for (int i = 0; i < kWrites; ++i) {
            if (!store.writeValue("Counter", "", std::to_string(i))) {
                return 1;
            }
        }
        return 0;
    });
    // Reads until the writer's last value shows; every read must find the whole file.
    const std::string last = std::to_string(kWrites - 1);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    int reads = 0;
    int brokenReads = 0;
    while (temp.store().readValue("Counter", "") != last && std::chrono::steady_clock::now() < deadline) {
        if (temp.store().readValue("Padding", "").value_or("").size() != 200U * 1024) {
            ++brokenReads;
        }
        ++reads;
    }
    EXPECT_EQ(waitChild(writer), 0);
    EXPECT_EQ(temp.store().readValue("Counter", ""), last);
    EXPECT_GT(reads, 0);
    EXPECT_EQ(brokenReads, 0);
    EXPECT_TRUE(corruptCopies(temp).empty());
}

TEST(SettingsFileTest, TheLockOfAnInstanceThatDiedDoesNotBlockTheStore) {
    TempSettings temp;
    const int child = runInChild([&] {
        // Leaves the lock file behind, as a crash would.
        auto* lock = new QLockFile(QString::fromStdString(temp.file().string() + ".lock"));
        return lock->tryLock(0) ? 0 : 1;
    });
    ASSERT_EQ(child, 0);
    ASSERT_TRUE(fs::exists(temp.file().string() + ".lock"));

    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(temp.store().writeValue("A", "", "x"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_EQ(temp.store().readValue("A", ""), "x");
}

struct CorruptCase {
    const char* label;
    std::string bytes;
};

void PrintTo(const CorruptCase& c, std::ostream* out) { *out << c.label; }

class CorruptSettingsTest : public ::testing::TestWithParam<CorruptCase> {};

TEST_P(CorruptSettingsTest, IsSetAsideUnderAnotherNameAndTheStoreStartsEmpty) {
    TempSettings temp;
    const std::string& bytes = GetParam().bytes;
    temp.writeFileBytes(bytes);

    EXPECT_TRUE(temp.store().snapshot().root().children().empty());
    EXPECT_FALSE(temp.store().keyExists("Kept"));
    EXPECT_FALSE(fs::exists(temp.file()));
    const std::vector<std::string> copies = corruptCopies(temp);
    ASSERT_EQ(copies.size(), 1U);
    EXPECT_EQ(testing::ReadFileBytes((temp.folder() / copies[0]).string()), bytes);

    // The program goes on with an empty store, and the copy stays for the user.
    ASSERT_TRUE(temp.store().writeValue("New", "", "value"));
    EXPECT_EQ(temp.store().readValue("New", ""), "value");
    EXPECT_FALSE(temp.store().keyExists("Kept"));
    EXPECT_EQ(corruptCopies(temp), copies);
}

TEST_P(CorruptSettingsTest, IsSetAsideAlsoWhenTheFirstUseIsAWrite) {
    TempSettings temp;
    temp.writeFileBytes(GetParam().bytes);
    ASSERT_TRUE(temp.store().writeValue("New", "", "value"));
    EXPECT_EQ(corruptCopies(temp).size(), 1U);
    EXPECT_EQ(temp.store().readValue("New", ""), "value");
    EXPECT_FALSE(temp.store().keyExists("Kept"));
}

std::string validFile() {
    SettingsTree tree;
    tree.create("Kept")->setValue("", "old");
    return formatSettings(tree);
}

std::string validFileWithout(std::string_view what) {
    std::string text = validFile();
    text.erase(text.find(what), what.size());
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Files, CorruptSettingsTest,
    ::testing::Values(CorruptCase{"Garbage", "this is not a settings file\n"},
                      CorruptCase{"Binary", std::string("\x00\x01\xff\xfe[Kept]\n", 10)},
                      CorruptCase{"CutBeforeTheEndLine", validFileWithout("end\n")},
                      CorruptCase{"CutInsideAValue", validFile().substr(0, validFile().find("old") + 2)},
                      CorruptCase{"OtherVersion", "linkrake-settings 2\n[Kept]\nend\n"},
                      CorruptCase{"ValueBeforeAnyKey", "linkrake-settings 1\n@=\"x\"\n[Kept]\nend\n"},
                      CorruptCase{"UnknownEscape", "linkrake-settings 1\n[Kept]\n@=\"a\\qb\"\nend\n"},
                      CorruptCase{"EmptyKeyName", "linkrake-settings 1\n[Kept\\\\x]\nend\n"},
                      CorruptCase{"TextAfterTheEnd", validFile() + "[Later]\n"}),
    [](const ::testing::TestParamInfo<CorruptCase>& info) { return std::string(info.param.label); });

TEST(SettingsFileTest, EachCorruptFileGetsANameOfItsOwn) {
    TempSettings temp;
    for (const char* bytes : {"first broken file", "second broken file", "third broken file"}) {
        temp.writeFileBytes(bytes);
        EXPECT_FALSE(temp.store().keyExists("A"));
    }
    const std::vector<std::string> copies = corruptCopies(temp);
    ASSERT_EQ(copies.size(), 3U);
    std::vector<std::string> contents;
    for (const std::string& name : copies) {
        contents.push_back(testing::ReadFileBytes((temp.folder() / name).string()));
    }
    std::ranges::sort(contents);
    EXPECT_EQ(contents, (std::vector<std::string>{"first broken file", "second broken file", "third broken file"}));
}

TEST(SettingsFileTest, AnEmptyFileIsAnEmptyStore) {
    TempSettings temp;
    temp.writeFileBytes("");
    EXPECT_FALSE(temp.store().keyExists("A"));
    ASSERT_TRUE(temp.store().writeValue("A", "", "x"));
    EXPECT_EQ(temp.store().readValue("A", ""), "x");
    EXPECT_TRUE(corruptCopies(temp).empty());
}

TEST(SettingsFileTest, AFileThatCannotBeReadIsNeitherOverwrittenNorSetAside) {
    if (runningAsRoot()) {
        GTEST_SKIP() << "root reads every file";
    }
    TempSettings temp;
    ASSERT_TRUE(temp.store().writeValue("Kept", "", "old"));
    const std::string before = temp.fileBytes();
    {
        PermissionsGuard unreadable(temp.file(), fs::perms::none);
        EXPECT_FALSE(temp.store().keyExists("Kept"));
        EXPECT_EQ(temp.store().readValue("Kept", ""), std::nullopt);
        EXPECT_FALSE(temp.store().writeValue("New", "", "x"));
        EXPECT_FALSE(temp.store().deleteTree("Kept"));
    }
    EXPECT_EQ(temp.fileBytes(), before);
    EXPECT_TRUE(corruptCopies(temp).empty());
    EXPECT_EQ(temp.store().readValue("Kept", ""), "old");
}

TEST(SettingsFileTest, AReadOnlyFileIsReadButNotReplaced) {
    if (runningAsRoot()) {
        GTEST_SKIP() << "root writes every file";
    }
    TempSettings temp;
    ASSERT_TRUE(temp.store().writeValue("Kept", "", "old"));
    const std::string before = temp.fileBytes();
    PermissionsGuard readOnly(temp.file(), fs::perms::owner_read);
    EXPECT_EQ(temp.store().readValue("Kept", ""), "old");
    EXPECT_FALSE(temp.store().writeValue("New", "", "x"));
    EXPECT_EQ(temp.fileBytes(), before);
}

TEST(SettingsFileTest, AReadOnlyFolderIsReadButNotWritten) {
    if (runningAsRoot()) {
        GTEST_SKIP() << "root writes into every folder";
    }
    TempSettings temp;
    ASSERT_TRUE(temp.store().writeValue("Kept", "", "old"));
    const std::string before = temp.fileBytes();
    PermissionsGuard readOnly(temp.folder(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(temp.store().readValue("Kept", ""), "old");
    EXPECT_FALSE(temp.store().writeValue("New", "", "x"));
    EXPECT_FALSE(temp.store().createKey("New"));
    EXPECT_EQ(temp.fileBytes(), before);
}

TEST(SettingsFileTest, AStoreWhoseFolderIsAFileReadsEmptyAndRefusesChanges) {
    TempSettings temp;
    const fs::path notAFolder = temp.folder() / "Morvane";
    const std::string bytes = "a file where the folder should be";
    std::ofstream(notAFolder, std::ios::binary) << bytes;
    SettingsStore store(notAFolder);
    EXPECT_FALSE(store.keyExists("A"));
    EXPECT_EQ(store.readValue("A", ""), std::nullopt);
    EXPECT_FALSE(store.writeValue("A", "", "x"));
    EXPECT_FALSE(store.deleteTree("A"));
    EXPECT_EQ(testing::ReadFileBytes(notAFolder.string()), bytes);
}

}  // namespace
}  // namespace linkrake
