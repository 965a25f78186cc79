// The application's profile: its keys made at start, the recent-file list kept in memory while
// the program runs and written back at exit, and a store in trouble never stopping start-up.
#include <gtest/gtest.h>

#include <QLockFile>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "TempSettings.h"
#include "registry/CAppProfile.h"
#include "registry/ProductKeyRemoval.h"
#include "registry/ProductKeys.h"

namespace linkrake {
namespace {

namespace fs = std::filesystem;
using test::TempSettings;
using Paths = std::vector<std::string>;

constexpr char kAppKey[] = "Software\\Morvane\\Linkrake\\2.2\\Linkrake";
constexpr char kRecentKey[] = "Software\\Morvane\\Linkrake\\2.2\\Linkrake\\Recent File List";
constexpr char kSettingsKey[] = "Software\\Morvane\\Linkrake\\2.2\\Linkrake\\Settings";

// One run of the program: the start-up steps, then whatever the run does.
CAppProfile startRun(const TempSettings& temp) {
    CAppProfile profile("Linkrake", temp.store());
    profile.SetRegistryKey(kRegistryKey);
    profile.LoadStdProfileSettings(4);
    return profile;
}

// The values of the recent-file section as stored, in name order.
std::vector<std::pair<std::string, std::string>> storedList(const TempSettings& temp) {
    std::vector<std::pair<std::string, std::string>> entries;
    const SettingsTree tree = temp.store().snapshot();
    if (const SettingsKey* key = tree.find(kRecentKey)) {
        for (const auto& [folded, value] : key->values()) {
            entries.emplace_back(value.name, value.data);
        }
    }
    return entries;
}

TEST(CAppProfileTest, TheKeyIsTheApplicationsNameBelowTheRegistryKey) {
    TempSettings temp;
    CAppProfile profile("Linkrake", temp.store());
    EXPECT_EQ(profile.AppRegistryKey(), "");
    profile.SetRegistryKey(kRegistryKey);
    EXPECT_EQ(profile.AppRegistryKey(), kAppKey);
}

TEST(CAppProfileTest, TheFirstRunMakesTheApplicationKeyWithItsTwoSections) {
    TempSettings temp;
    const CAppProfile profile = startRun(temp);
    EXPECT_TRUE(profile.RecentFiles().empty());
    EXPECT_EQ(profile.PreviewPages(), 0);
    for (const char* key : {kAppKey, kRecentKey, kSettingsKey}) {
        SCOPED_TRACE(key);
        EXPECT_TRUE(temp.store().keyExists(key));
    }
    // Nothing but keys was written.
    EXPECT_TRUE(temp.store().snapshot().find(kRecentKey)->values().empty());
    EXPECT_TRUE(temp.store().snapshot().find(kSettingsKey)->values().empty());
}

TEST(CAppProfileTest, TheRecentFileListLastsFromOneRunToTheNext) {
    TempSettings temp;
    {
        CAppProfile first = startRun(temp);
        first.AddToRecentFileList("/pages/a.html");
        first.AddToRecentFileList("/pages/b.html");
        // Written only at exit.
        EXPECT_TRUE(storedList(temp).empty());
        EXPECT_TRUE(first.SaveStdProfileSettings());
    }
    using Entries = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(storedList(temp), (Entries{{"File1", "/pages/b.html"}, {"File2", "/pages/a.html"}}));

    CAppProfile second = startRun(temp);
    EXPECT_EQ(second.RecentFiles(), (Paths{"/pages/b.html", "/pages/a.html"}));
    second.AddToRecentFileList("/pages/c.html");
    second.AddToRecentFileList("/pages/a.html");
    EXPECT_TRUE(second.SaveStdProfileSettings());

    const CAppProfile third = startRun(temp);
    EXPECT_EQ(third.RecentFiles(), (Paths{"/pages/a.html", "/pages/c.html", "/pages/b.html"}));
}

struct RecentCase {
    const char* label;
    Paths added;
    Paths expected;
};

void PrintTo(const RecentCase& c, std::ostream* out) { *out << c.label; }

class RecentFileListTest : public ::testing::TestWithParam<RecentCase> {};

TEST_P(RecentFileListTest, KeepsTheLastFourMostRecentFirst) {
    TempSettings temp;
    CAppProfile profile = startRun(temp);
    for (const std::string& path : GetParam().added) {
        profile.AddToRecentFileList(path);
    }
    EXPECT_EQ(profile.RecentFiles(), GetParam().expected);

    // What the next run reads is what this one held.
    ASSERT_TRUE(profile.SaveStdProfileSettings());
    EXPECT_EQ(startRun(temp).RecentFiles(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, RecentFileListTest,
    ::testing::Values(
        RecentCase{"One", {"/a"}, {"/a"}},
        RecentCase{"LastOpenedFirst", {"/a", "/b", "/c"}, {"/c", "/b", "/a"}},
        RecentCase{"OldestDropsOff", {"/a", "/b", "/c", "/d", "/e", "/f"}, {"/f", "/e", "/d", "/c"}},
        RecentCase{"ReopenedMovesToTheFront", {"/a", "/b", "/c", "/a"}, {"/a", "/c", "/b"}},
        RecentCase{"ReopenedFrontStays", {"/a", "/b", "/b"}, {"/b", "/a"}},
        RecentCase{"ReopenedWhenFull", {"/a", "/b", "/c", "/d", "/b"}, {"/b", "/d", "/c", "/a"}},
        RecentCase{"PathsDifferingInCaseAreTwoFiles", {"/x/Page.html", "/x/page.html"},
                   {"/x/page.html", "/x/Page.html"}},
        RecentCase{"EmptyPathIgnored", {"/a", "", "/b"}, {"/b", "/a"}},
        RecentCase{"SameFileByAnotherSpelling", {"/x/./a.html", "/x/y/../a.html"}, {"/x/a.html"}}),
    [](const ::testing::TestParamInfo<RecentCase>& info) { return std::string(info.param.label); });

TEST(CAppProfileTest, ARelativePathIsKeptAsAFullPath) {
    TempSettings temp;
    CAppProfile profile = startRun(temp);
    profile.AddToRecentFileList("some/page.html");
    EXPECT_EQ(profile.RecentFiles(), Paths{(fs::current_path() / "some" / "page.html").string()});
}

TEST(CAppProfileTest, ReadsAtMostTheAskedNumberAndPassesOverHoles) {
    TempSettings temp;
    SettingsStore store = temp.store();
    ASSERT_TRUE(store.edit([](SettingsTree& tree) {
        SettingsKey* list = tree.create(kRecentKey);
        list->setValue("File1", "/one");
        list->setValue("File2", "");
        list->setValue("FILE3", "/three");
        list->setValue("File5", "/five");
        list->setValue("File6", "/six");
        tree.create(kSettingsKey)->setValue("PreviewPages", "3");
        return true;
    }));

    CAppProfile profile("Linkrake", temp.store());
    profile.SetRegistryKey(kRegistryKey);
    profile.LoadStdProfileSettings(4);
    EXPECT_EQ(profile.RecentFiles(), (Paths{"/one", "/three"}));
    EXPECT_EQ(profile.PreviewPages(), 3);

    // At exit the section is written again from scratch: the strays are gone.
    ASSERT_TRUE(profile.SaveStdProfileSettings());
    using Entries = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(storedList(temp), (Entries{{"File1", "/one"}, {"File2", "/three"}}));
    EXPECT_EQ(temp.store().readValue(kSettingsKey, "PreviewPages"), "3");
}

TEST(CAppProfileTest, WithoutARegistryKeyNothingIsReadOrWritten) {
    TempSettings temp;
    CAppProfile profile("Linkrake", temp.store());
    profile.LoadStdProfileSettings(4);
    profile.AddToRecentFileList("/a");
    EXPECT_TRUE(profile.SaveStdProfileSettings());
    EXPECT_FALSE(fs::exists(temp.file()));
}

TEST(CAppProfileTest, ExitWritesTheListBackAfterTheProductKeyWasDeleted) {
    TempSettings temp;
    CAppProfile profile = startRun(temp);
    profile.AddToRecentFileList("/a");
    ASSERT_TRUE(temp.store().writeValue("SOFTWARE\\Morvane\\Linkrake\\2.2\\Recent URLs\\url 1", "", "http://x/"));

    ASSERT_TRUE(DeleteProductKey(temp.store()));
    EXPECT_FALSE(temp.store().keyExists(kProductKey));
    EXPECT_FALSE(temp.store().keyExists(kAppKey));
    EXPECT_TRUE(temp.store().keyExists("Software\\Morvane\\Linkrake"));

    profile.AddToRecentFileList("/b");
    ASSERT_TRUE(profile.SaveStdProfileSettings());
    using Entries = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(storedList(temp), (Entries{{"File1", "/b"}, {"File2", "/a"}}));
    EXPECT_FALSE(temp.store().keyExists("Software\\Morvane\\Linkrake\\2.2\\Recent URLs"));
    EXPECT_FALSE(temp.store().keyExists(kSettingsKey));
}

TEST(CAppProfileTest, DeletingTheProductKeyLeavesTheMakersOtherKeys) {
    TempSettings temp;
    ASSERT_TRUE(temp.store().createKey("Software\\Morvane\\Linkrake\\2.1\\Linkrake"));
    ASSERT_TRUE(temp.store().createKey("Software\\Morvane\\Other"));
    startRun(temp);
    ASSERT_TRUE(temp.store().keyExists(kProductKey));

    ASSERT_TRUE(DeleteProductKey(temp.store()));
    EXPECT_FALSE(temp.store().keyExists(kProductKey));
    EXPECT_TRUE(temp.store().keyExists("Software\\Morvane\\Linkrake\\2.1\\Linkrake"));
    EXPECT_TRUE(temp.store().keyExists("Software\\Morvane\\Other"));
    // Deleting it again, when it is not there, is no failure.
    EXPECT_TRUE(DeleteProductKey(temp.store()));
}

// Ways the store can be out of order when the program starts.
enum class Trouble { Corrupt, FolderIsAFile, LockHeldElsewhere };

struct TroubleCase {
    const char* label;
    Trouble trouble;
};

void PrintTo(const TroubleCase& c, std::ostream* out) { *out << c.label; }

class ProfileTroubleTest : public ::testing::TestWithParam<TroubleCase> {};

TEST_P(ProfileTroubleTest, StartUpGoesOnWithAnEmptyList) {
    TempSettings temp;
    fs::path folder = temp.folder();
    std::unique_ptr<QLockFile> heldLock;
    switch (GetParam().trouble) {
    case Trouble::Corrupt:
        temp.writeFileBytes("File1=/not/a/settings/file\n");
        break;
    case Trouble::FolderIsAFile:
        folder = temp.folder() / "not-a-folder";
        std::ofstream(folder) << "x";
        break;
    case Trouble::LockHeldElsewhere:
        ASSERT_TRUE(temp.store().writeValue(kRecentKey, "File1", "/kept"));
        heldLock = std::make_unique<QLockFile>(QString::fromStdString(temp.file().string() + ".lock"));
        ASSERT_TRUE(heldLock->tryLock(0));
        break;
    }

    CAppProfile profile("Linkrake", SettingsStore(folder));
    profile.SetRegistryKey(kRegistryKey);
    profile.LoadStdProfileSettings(4);
    profile.AddToRecentFileList("/opened");
    EXPECT_EQ(profile.RecentFiles().front(), "/opened");
    const bool saved = profile.SaveStdProfileSettings();
    switch (GetParam().trouble) {
    case Trouble::Corrupt:
        // The broken file was set aside; the fresh store takes the list.
        EXPECT_TRUE(saved);
        EXPECT_EQ(storedList(temp).size(), 1U);
        break;
    case Trouble::FolderIsAFile:
        EXPECT_FALSE(saved);
        break;
    case Trouble::LockHeldElsewhere:
        // Reading needs no lock; writing waits for it and then gives up.
        EXPECT_EQ(profile.RecentFiles(), (Paths{"/opened", "/kept"}));
        EXPECT_FALSE(saved);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Stores, ProfileTroubleTest,
    ::testing::Values(TroubleCase{"Corrupt", Trouble::Corrupt}, TroubleCase{"FolderIsAFile", Trouble::FolderIsAFile},
                      TroubleCase{"LockHeldElsewhere", Trouble::LockHeldElsewhere}),
    [](const ::testing::TestParamInfo<TroubleCase>& info) { return std::string(info.param.label); });

TEST(CAppProfileTest, AnUnreadableStoreDoesNotStopStartUpAndIsNotOverwritten) {
    if (test::runningAsRoot()) {
        GTEST_SKIP() << "root reads every file";
    }
    TempSettings temp;
    ASSERT_TRUE(temp.store().writeValue(kRecentKey, "File1", "/kept"));
    const std::string before = temp.fileBytes();
    fs::permissions(temp.file(), fs::perms::none);
    CAppProfile profile = startRun(temp);
    profile.AddToRecentFileList("/opened");
    EXPECT_EQ(profile.RecentFiles(), Paths{"/opened"});
    EXPECT_FALSE(profile.SaveStdProfileSettings());
    fs::permissions(temp.file(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(temp.fileBytes(), before);
}

}  // namespace
}  // namespace linkrake
