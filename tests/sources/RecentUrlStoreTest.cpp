// The last five addresses of the Open URL dialog, on the real store in a temporary folder. Every
// step makes its own registry access and store object, as each opening of the dialog does.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "TempSettings.h"
#include "sources/RecentUrlStore.h"

namespace linkrake {
namespace {

namespace fs = std::filesystem;
using test::TempSettings;
using Texts = std::vector<std::string>;
using Result = RecentUrlSaveResult;

const char* resultName(Result result) {
    switch (result) {
    case Result::NothingToSave: return "NothingToSave";
    case Result::AlreadyStored: return "AlreadyStored";
    case Result::Stored: return "Stored";
    case Result::Shifted: return "Shifted";
    case Result::Failed: return "Failed";
    }
    return "?";
}

}  // namespace

void PrintTo(RecentUrlSaveResult result, std::ostream* out) { *out << resultName(result); }

namespace {

Texts load(const SettingsStore& store) {
    CRegistryAccess registry(store);
    return RecentUrlStore(registry).Load();
}

Result save(const SettingsStore& store, const std::string& address) {
    CRegistryAccess registry(store);
    return RecentUrlStore(registry).Save(address);
}

// Entries 1 to 5 as they stand: the text of each, nothing for a missing one.
std::vector<std::optional<std::string>> entries(const SettingsStore& store) {
    std::vector<std::optional<std::string>> result;
    for (int n = 1; n <= kRecentUrlCount; ++n) {
        if (store.keyExists(RecentUrlEntryKey(n))) {
            result.push_back(store.readValue(RecentUrlEntryKey(n), "").value_or("<no value>"));
        } else {
            result.push_back(std::nullopt);
        }
    }
    return result;
}

// Writes the entries straight into the store: a text, "<key>" for an entry key without a
// value, nothing for a missing entry.
void prepare(const TempSettings& temp, const std::vector<std::optional<std::string>>& texts) {
    SettingsStore store = temp.store();
    ASSERT_TRUE(store.edit([&](SettingsTree& tree) {
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (!texts[i]) {
                continue;
            }
            SettingsKey* key = tree.create(RecentUrlEntryKey(static_cast<int>(i) + 1));
            if (*texts[i] != "<key>") {
                key->setValue("", *texts[i]);
            }
        }
        return true;
    }));
}

std::string url(int n) {
    return "http://u" + std::to_string(n) + ".example/";
}

TEST(RecentUrlStoreTest, TheEntryKeysAreNamedUrl1ToUrl5BelowTheStoreKey) {
    EXPECT_EQ(RecentUrlEntryKey(1), "SOFTWARE\\Morvane\\Linkrake\\2.2\\Recent URLs\\url 1");
    EXPECT_EQ(RecentUrlEntryKey(5), "SOFTWARE\\Morvane\\Linkrake\\2.2\\Recent URLs\\url 5");
}

TEST(RecentUrlStoreTest, TheFirstAddressMakesTheKeysOnTheWay) {
    TempSettings temp;
    EXPECT_TRUE(load(temp.store()).empty());
    EXPECT_EQ(save(temp.store(), url(1)), Result::Stored);

    for (const char* key : {"SOFTWARE", "Software\\Morvane", "SOFTWARE\\Morvane\\Linkrake\\2.2",
                            "SOFTWARE\\Morvane\\Linkrake\\2.2\\Recent URLs",
                            "SOFTWARE\\Morvane\\Linkrake\\2.2\\Recent URLs\\url 1"}) {
        SCOPED_TRACE(key);
        EXPECT_TRUE(temp.store().keyExists(key));
    }
    // The address is the entry key's default value and nothing else is written.
    const SettingsTree tree = temp.store().snapshot();
    const SettingsKey* storeKey = tree.find(kRecentUrlsKey);
    ASSERT_NE(storeKey, nullptr);
    EXPECT_TRUE(storeKey->values().empty());
    EXPECT_EQ(storeKey->children().size(), 1U);
    const SettingsKey* entry = tree.find(RecentUrlEntryKey(1));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->name(), "url 1");
    ASSERT_EQ(entry->values().size(), 1U);
    EXPECT_EQ(entry->values().begin()->second.name, "");
    EXPECT_EQ(entry->values().begin()->second.data, url(1));
}

struct Step {
    std::string address;
    Result result;
    Texts listed;  // what the dialog lists the next time it opens
};

TEST(RecentUrlStoreTest, AddressesFillTheEntriesInOrderAndThenShift) {
    TempSettings temp;
    const Step steps[] = {
        {"", Result::NothingToSave, {}},
        {url(1), Result::Stored, {url(1)}},
        {url(2), Result::Stored, {url(1), url(2)}},
        {url(3), Result::Stored, {url(1), url(2), url(3)}},
        {url(4), Result::Stored, {url(1), url(2), url(3), url(4)}},
        {url(5), Result::Stored, {url(1), url(2), url(3), url(4), url(5)}},
        {url(6), Result::Shifted, {url(6), url(1), url(2), url(3), url(4)}},
        {url(7), Result::Shifted, {url(7), url(6), url(1), url(2), url(3)}},
        {"", Result::NothingToSave, {url(7), url(6), url(1), url(2), url(3)}},
        {url(2), Result::AlreadyStored, {url(7), url(6), url(1), url(2), url(3)}},
        {"HTTP://U3.EXAMPLE/", Result::AlreadyStored, {url(7), url(6), url(1), url(2), url(3)}},
        {"   ", Result::Shifted, {"   ", url(7), url(6), url(1), url(2)}},
        {url(3), Result::Shifted, {url(3), "   ", url(7), url(6), url(1)}},
    };
    int number = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE("step " + std::to_string(++number) + ": \"" + step.address + "\"");
        EXPECT_EQ(save(temp.store(), step.address), step.result);
        EXPECT_EQ(load(temp.store()), step.listed);
    }
}

struct CaseRow {
    const char* label;
    std::string stored;
    std::string entered;
    Result result;
};

void PrintTo(const CaseRow& row, std::ostream* out) { *out << row.label; }

class RecentUrlCaseTest : public ::testing::TestWithParam<CaseRow> {};

TEST_P(RecentUrlCaseTest, OnlyTheCaseOfAsciiLettersMakesNoDifference) {
    TempSettings temp;
    const CaseRow& row = GetParam();
    prepare(temp, {"http://first.example/", row.stored});
    const std::string before = temp.fileBytes();

    EXPECT_EQ(save(temp.store(), row.entered), row.result);
    if (row.result == Result::AlreadyStored) {
        // The stored entry keeps its text, its letter case and its place.
        EXPECT_EQ(temp.fileBytes(), before);
        EXPECT_EQ(load(temp.store()), (Texts{"http://first.example/", row.stored}));
    } else {
        EXPECT_EQ(load(temp.store()), (Texts{"http://first.example/", row.stored, row.entered}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, RecentUrlCaseTest,
    ::testing::Values(
        CaseRow{"Same", "http://example.com/Page", "http://example.com/Page", Result::AlreadyStored},
        CaseRow{"Upper", "http://example.com/Page", "HTTP://EXAMPLE.COM/PAGE", Result::AlreadyStored},
        CaseRow{"Lower", "HTTP://Example.COM/Page", "http://example.com/page", Result::AlreadyStored},
        CaseRow{"NonAsciiLetter", "http://\xc3\xa4.example/", "http://\xc3\x84.example/", Result::Stored},
        CaseRow{"TrailingBlank", "http://example.com/", "http://example.com/ ", Result::Stored},
        CaseRow{"LeadingBlank", "http://example.com/", " http://example.com/", Result::Stored},
        CaseRow{"Longer", "http://example.com/", "http://example.com/x", Result::Stored},
        CaseRow{"Shorter", "http://example.com/x", "http://example.com/", Result::Stored}),
    [](const ::testing::TestParamInfo<CaseRow>& info) { return std::string(info.param.label); });

TEST(RecentUrlStoreTest, TheComparisonStopsAtTheFirstMissingEntry) {
    TempSettings temp;
    prepare(temp, {"a", std::nullopt, "b", "c", "d"});
    EXPECT_EQ(load(temp.store()), (Texts{"a", "b", "c", "d"}));

    // "b" stands in entry 3, but entry 2 is free and entries after it are not looked at.
    EXPECT_EQ(save(temp.store(), "B"), Result::Stored);
    EXPECT_EQ(entries(temp.store()), (std::vector<std::optional<std::string>>{"a", "B", "b", "c", "d"}));
    // Entry 1 is compared before that.
    EXPECT_EQ(save(temp.store(), "A"), Result::AlreadyStored);
}

TEST(RecentUrlStoreTest, AnEntryWithoutAReadableValueIsListedAsMinusOneAndCarriedByTheShift) {
    TempSettings temp;
    prepare(temp, {"<key>", url(2), url(3), url(4), url(5)});
    EXPECT_EQ(load(temp.store()), (Texts{"-1", url(2), url(3), url(4), url(5)}));

    // The unreadable entry equals nothing, not even "-1"; the shift carries "-1" into entry 2.
    EXPECT_EQ(save(temp.store(), "-1"), Result::Shifted);
    EXPECT_EQ(entries(temp.store()), (std::vector<std::optional<std::string>>{"-1", "-1", url(2), url(3), url(4)}));
    // Now stored as text, it is an address like any other.
    EXPECT_EQ(save(temp.store(), "-1"), Result::AlreadyStored);
}

TEST(RecentUrlStoreTest, AnEntryKeyWithoutAValueCountsAsTaken) {
    TempSettings temp;
    prepare(temp, {url(1), "<key>"});
    EXPECT_EQ(load(temp.store()), (Texts{url(1), "-1"}));
    EXPECT_EQ(save(temp.store(), url(3)), Result::Stored);
    EXPECT_EQ(entries(temp.store()), (std::vector<std::optional<std::string>>{url(1), "<no value>", url(3),
                                                                              std::nullopt, std::nullopt}));
}

struct LoadRow {
    const char* label;
    std::vector<std::optional<std::string>> entries;
    Texts listed;
};

void PrintTo(const LoadRow& row, std::ostream* out) { *out << row.label; }

class RecentUrlLoadTest : public ::testing::TestWithParam<LoadRow> {};

TEST_P(RecentUrlLoadTest, ListsTheEntriesThatExistInTheirOrder) {
    TempSettings temp;
    prepare(temp, GetParam().entries);
    EXPECT_EQ(load(temp.store()), GetParam().listed);
}

INSTANTIATE_TEST_SUITE_P(
    Stores, RecentUrlLoadTest,
    ::testing::Values(
        LoadRow{"Nothing", {}, {}},
        LoadRow{"Two", {"a", "b"}, {"a", "b"}},
        LoadRow{"MissingSkipped", {"a", std::nullopt, "c", std::nullopt, "e"}, {"a", "c", "e"}},
        LoadRow{"OnlyTheLast", {std::nullopt, std::nullopt, std::nullopt, std::nullopt, "e"}, {"e"}},
        LoadRow{"EmptyTextListed", {"a", "", "c"}, {"a", "", "c"}},
        LoadRow{"UnreadableListedAsMinusOne", {"<key>", "b"}, {"-1", "b"}},
        LoadRow{"StoredMinusOneListed", {"-1"}, {"-1"}},
        LoadRow{"SixthEntryNotRead", {"a", "b", "c", "d", "e", "f"}, {"a", "b", "c", "d", "e"}},
        LoadRow{"TextUpToItsNul", {std::string("ab\0cd", 5)}, {"ab"}}),
    [](const ::testing::TestParamInfo<LoadRow>& info) { return std::string(info.param.label); });

TEST(RecentUrlStoreTest, EntriesAreFoundWhateverTheSpellingOfTheirKeys) {
    TempSettings temp;
    ASSERT_TRUE(temp.store().writeValue("Software\\MORVANE\\linkrake\\2.2\\recent urls\\URL 1", "", "a"));
    ASSERT_TRUE(temp.store().writeValue("Software\\Morvane\\Linkrake\\2.2\\Recent URLs\\url 0", "", "zero"));
    ASSERT_TRUE(temp.store().writeValue("Software\\Morvane\\Linkrake\\2.2\\Recent URLs\\url 01", "", "z"));
    EXPECT_EQ(load(temp.store()), Texts{"a"});
    EXPECT_EQ(save(temp.store(), "b"), Result::Stored);
    EXPECT_EQ(load(temp.store()), (Texts{"a", "b"}));
}

// Stores that cannot be written, each made so before the address is saved.
enum class Unwritable { FolderIsAFile, ReadOnlyFolder, ReadOnlyFile };

struct UnwritableRow {
    const char* label;
    Unwritable kind;
    bool needsNonRoot;
    std::vector<std::optional<std::string>> entries;
};

void PrintTo(const UnwritableRow& row, std::ostream* out) { *out << row.label; }

class RecentUrlUnwritableTest : public ::testing::TestWithParam<UnwritableRow> {};

TEST_P(RecentUrlUnwritableTest, SaveReportsTheFailureAndChangesNothing) {
    const UnwritableRow& row = GetParam();
    if (row.needsNonRoot && test::runningAsRoot()) {
        GTEST_SKIP() << "root writes everywhere";
    }
    TempSettings temp;
    prepare(temp, row.entries);
    const Texts before = load(temp.store());
    fs::path folder = temp.folder();
    std::optional<fs::path> restore;
    switch (row.kind) {
    case Unwritable::FolderIsAFile:
        folder = temp.folder() / "not-a-folder";
        std::ofstream(folder) << "x";
        break;
    case Unwritable::ReadOnlyFolder:
        fs::permissions(temp.folder(), fs::perms::owner_read | fs::perms::owner_exec);
        restore = temp.folder();
        break;
    case Unwritable::ReadOnlyFile:
        fs::permissions(temp.file(), fs::perms::owner_read);
        restore = temp.file();
        break;
    }
    struct Restore {
        std::optional<fs::path>& path;
        ~Restore() {
            if (path) {
                fs::permissions(*path, fs::perms::owner_all);
            }
        }
    } guard{restore};

    EXPECT_EQ(save(SettingsStore(folder), "http://new.example/"), Result::Failed);
    EXPECT_EQ(load(SettingsStore(folder)), row.kind == Unwritable::FolderIsAFile ? Texts{} : before);
    // An address stored already needs no writing.
    if (!before.empty()) {
        EXPECT_EQ(save(SettingsStore(folder), before.front()), Result::AlreadyStored);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Stores, RecentUrlUnwritableTest,
    ::testing::Values(
        UnwritableRow{"FolderIsAFile", Unwritable::FolderIsAFile, false, {}},
        UnwritableRow{"ReadOnlyFolderEmpty", Unwritable::ReadOnlyFolder, true, {}},
        UnwritableRow{"ReadOnlyFolderFreeEntry", Unwritable::ReadOnlyFolder, true, {"a", "b"}},
        UnwritableRow{"ReadOnlyFolderFull", Unwritable::ReadOnlyFolder, true, {"a", "b", "c", "d", "e"}},
        UnwritableRow{"ReadOnlyFileFull", Unwritable::ReadOnlyFile, true, {"a", "b", "c", "d", "e"}}),
    [](const ::testing::TestParamInfo<UnwritableRow>& info) { return std::string(info.param.label); });

TEST(RecentUrlStoreTest, AShiftThatFailsPartWayLosesNoAddressThatWouldHaveStayed) {
    TempSettings temp;
    // Entry 1 is longer than the others: once it is to be copied into entry 2, the file must
    // grow, which it may not.
    const std::string longFirst = "http://u1.example/a-much-longer-address-than-the-others/";
    prepare(temp, {longFirst, url(2), url(3), url(4), url(5)});
    const auto size = static_cast<rlim_t>(fs::file_size(temp.file()));

    // The child may write no file larger than the store is now.
    const int result = test::runInChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{size, size};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return 10;
        }
        // Longer than the other entries, shorter than entry 1.
        return static_cast<int>(save(temp.store(), "http://u6.example/medium/"));
    });
    ASSERT_EQ(result, static_cast<int>(Result::Failed));

    // Every address but the oldest, which the shift drops anyway, is still there.
    const Texts listed = load(temp.store());
    ASSERT_EQ(listed.size(), 5U);
    for (const std::string& kept : {longFirst, url(2), url(3), url(4)}) {
        SCOPED_TRACE(kept);
        EXPECT_NE(std::ranges::find(listed, kept), listed.end());
    }
}

}  // namespace
}  // namespace linkrake
