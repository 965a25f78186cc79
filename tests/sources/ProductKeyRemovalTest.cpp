// Removing the program's settings: the recent addresses and the application's profile go in one
// step, and what the program still holds is written back at exit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempSettings.h"
#include "registry/CAppProfile.h"
#include "registry/ProductKeyRemoval.h"
#include "registry/ProductKeys.h"
#include "sources/RecentUrlStore.h"

namespace linkrake {
namespace {

using test::TempSettings;
using Texts = std::vector<std::string>;

constexpr char kAppKey[] = "Software\\Morvane\\Linkrake\\2.2\\Linkrake";

Texts recentUrls(const SettingsStore& store) {
    CRegistryAccess registry(store);
    return RecentUrlStore(registry).Load();
}

RecentUrlSaveResult saveUrl(const SettingsStore& store, const std::string& address) {
    CRegistryAccess registry(store);
    return RecentUrlStore(registry).Save(address);
}

CAppProfile startRun(const TempSettings& temp) {
    CAppProfile profile("Linkrake", temp.store());
    profile.SetRegistryKey(kRegistryKey);
    profile.LoadStdProfileSettings(4);
    return profile;
}

TEST(ProductKeyRemovalTest, TheProfileAndTheRecentAddressesShareOneProductKey) {
    TempSettings temp;
    CAppProfile profile = startRun(temp);
    ASSERT_EQ(saveUrl(temp.store(), "http://a.example/"), RecentUrlSaveResult::Stored);
    profile.AddToRecentFileList("/pages/a.html");
    ASSERT_TRUE(profile.SaveStdProfileSettings());

    // "Software\..." and "SOFTWARE\..." name the same keys: one tree, spelt as first made.
    const SettingsTree tree = temp.store().snapshot();
    ASSERT_EQ(tree.root().children().size(), 1U);
    const SettingsKey* product = tree.find(kProductKey);
    ASSERT_NE(product, nullptr);
    EXPECT_EQ(product->children().size(), 2U);
    EXPECT_NE(product->child("Linkrake"), nullptr);
    EXPECT_NE(product->child("Recent URLs"), nullptr);
    EXPECT_EQ(tree.find(kAppKey), product->child("Linkrake"));
}

TEST(ProductKeyRemovalTest, RemovesTheRecentAddressesAndTheProfileInOneStep) {
    TempSettings temp;
    CAppProfile profile = startRun(temp);
    for (const char* address : {"http://a.example/", "http://b.example/"}) {
        ASSERT_EQ(saveUrl(temp.store(), address), RecentUrlSaveResult::Stored);
    }
    profile.AddToRecentFileList("/pages/a.html");
    ASSERT_TRUE(profile.SaveStdProfileSettings());
    ASSERT_TRUE(temp.store().writeValue("Software\\Morvane\\Other product", "", "not ours"));

    EXPECT_TRUE(DeleteProductKey(temp.store()));

    EXPECT_FALSE(temp.store().keyExists(kProductKey));
    EXPECT_FALSE(temp.store().keyExists(kRecentUrlsKey));
    EXPECT_FALSE(temp.store().keyExists(kAppKey));
    EXPECT_TRUE(recentUrls(temp.store()).empty());
    EXPECT_EQ(temp.store().readValue("Software\\Morvane\\Other product", ""), "not ours");
    // A new run starts as the very first one did.
    EXPECT_TRUE(startRun(temp).RecentFiles().empty());
}

TEST(ProductKeyRemovalTest, ExitWritesTheRecentFilesBackAndALaterAddressStartsAgainAtEntry1) {
    TempSettings temp;
    CAppProfile profile = startRun(temp);
    profile.AddToRecentFileList("/pages/a.html");
    profile.AddToRecentFileList("/pages/b.html");
    ASSERT_EQ(saveUrl(temp.store(), "http://a.example/"), RecentUrlSaveResult::Stored);

    ASSERT_TRUE(DeleteProductKey(temp.store()));
    // The program goes on with what it holds; at exit the list is written back.
    ASSERT_TRUE(profile.SaveStdProfileSettings());
    EXPECT_EQ(startRun(temp).RecentFiles(), (Texts{"/pages/b.html", "/pages/a.html"}));
    EXPECT_TRUE(temp.store().keyExists(kAppKey));
    EXPECT_TRUE(recentUrls(temp.store()).empty());

    EXPECT_EQ(saveUrl(temp.store(), "http://b.example/"), RecentUrlSaveResult::Stored);
    EXPECT_EQ(temp.store().readValue(RecentUrlEntryKey(1), ""), "http://b.example/");
}

TEST(ProductKeyRemovalTest, RemovingWhatIsNotThereIsNoFailure) {
    TempSettings temp;
    EXPECT_TRUE(DeleteProductKey(temp.store()));
    ASSERT_TRUE(temp.store().createKey("Software\\Morvane"));
    EXPECT_TRUE(DeleteProductKey(temp.store()));
    EXPECT_TRUE(temp.store().keyExists("Software\\Morvane"));
}

}  // namespace
}  // namespace linkrake
