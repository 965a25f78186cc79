// Help > Uninstall on a settings store in a temporary folder: what each answer leaves behind,
// the messages, and what the program writes back afterwards.
#include <gtest/gtest.h>

#include <QLockFile>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "about/Uninstall.h"
#include "framework/MessageBox.h"
#include "framework/testing/RecordingMessageBox.h"
#include "registry/CAppProfile.h"
#include "registry/ProductKeys.h"
#include "registry/SettingsLocation.h"
#include "registry/SettingsStore.h"
#include "sources/CRegistryAccess.h"
#include "sources/RecentUrlStore.h"
#include "support/TempDir.h"

namespace linkrake {
namespace {

using testing::RecordingMessageBox;

constexpr char kOlderVersionKey[] = "SOFTWARE\\Morvane\\Linkrake\\2.1";
constexpr char kOtherProductKey[] = "SOFTWARE\\Morvane\\Other";
constexpr char kRecentFile[] = "/home/user/saved page.html";
constexpr char kRecentAddress[] = "http://one.example.test/";

class UninstallTest : public ::testing::Test {
 protected:
  void SetUp() override { setDefaultSettingsFolder(dir.Path()); }
  void TearDown() override { setDefaultSettingsFolder({}); }

  SettingsStore Store() const { return SettingsStore(dir.Path()); }

  // What a run of the program leaves: a recent file in the profile, a recent address, and
  // keys of others next to the product's.
  std::unique_ptr<CAppProfile> SeedSettings() {
    auto profile = std::make_unique<CAppProfile>("Linkrake", Store());
    profile->SetRegistryKey(kRegistryKey);
    profile->LoadStdProfileSettings(4);
    profile->AddToRecentFileList(kRecentFile);
    EXPECT_TRUE(profile->SaveStdProfileSettings());
    CRegistryAccess registry(Store());
    RecentUrlStore urls(registry);
    EXPECT_EQ(urls.Save(kRecentAddress), RecentUrlSaveResult::Stored);
    EXPECT_TRUE(Store().writeValue(kOlderVersionKey, "", "kept"));
    EXPECT_TRUE(Store().writeValue(kOtherProductKey, "x", "kept"));
    EXPECT_TRUE(Store().keyExists(profile->AppRegistryKey()));
    return profile;
  }

  std::vector<std::string> RecentAddresses() const {
    CRegistryAccess registry(Store());
    return RecentUrlStore(registry).Load();
  }

  testing::TempDir dir;
  RecordingMessageBox boxes;
};

struct AnswerCase {
  const char* name;
  int answer;
};

void PrintTo(const AnswerCase& c, std::ostream* os) { *os << c.name; }

class UninstallAnswerTest : public UninstallTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(UninstallAnswerTest, AnythingButYesChangesNothingAndShowsNothingMore) {
  SeedSettings();
  const std::string before = testing::ReadFileBytes(Store().file().string());
  boxes.Answer(GetParam().answer);

  EXPECT_EQ(RunUninstall(), UninstallResult::NotConfirmed);

  ASSERT_EQ(boxes.requests.size(), 1u);
  EXPECT_EQ(boxes.requests[0].text, "Are you sure you want to remove Linkrake 2.2 ?");
  EXPECT_EQ(boxes.requests[0].type, MB_YESNOCANCEL | MB_ICONQUESTION);
  EXPECT_EQ(testing::ReadFileBytes(Store().file().string()), before);
  EXPECT_EQ(RecentAddresses(), std::vector<std::string>{kRecentAddress});
}

// A box closed with Escape or its close box answers Cancel.
INSTANTIATE_TEST_SUITE_P(Answers, UninstallAnswerTest,
                         ::testing::Values(AnswerCase{"No", IDNO}, AnswerCase{"Cancel", IDCANCEL}),
                         [](const ::testing::TestParamInfo<AnswerCase>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(UninstallTest, YesRemovesTheWholeProductKeyAtOnceAndSaysSo) {
  auto profile = SeedSettings();
  boxes.Answer(IDYES);
  // Nothing is gone while the question is still open.
  bool keyWhileAsking = false;
  boxes.onShow = [&](const MessageBoxRequest& request) {
    if (request.type & MB_ICONQUESTION) keyWhileAsking = Store().keyExists(kProductKey);
  };

  EXPECT_EQ(RunUninstall(), UninstallResult::Removed);

  EXPECT_TRUE(keyWhileAsking);
  ASSERT_EQ(boxes.requests.size(), 2u);
  EXPECT_EQ(boxes.requests[1].text,
            "The registry keys are removed.\nYou can now delete the executable Linkrake.exe\nto completely "
            "uninstall the program.");
  EXPECT_EQ(boxes.requests[1].type, MB_OK | MB_ICONINFORMATION);
  EXPECT_FALSE(Store().keyExists(kProductKey));
  EXPECT_FALSE(Store().keyExists(kRecentUrlsKey));
  EXPECT_FALSE(Store().keyExists(profile->AppRegistryKey()));
  // The Open URL dialog opened next offers nothing.
  EXPECT_TRUE(RecentAddresses().empty());
  // Only the product's key goes.
  EXPECT_EQ(Store().readValue(kOlderVersionKey, ""), "kept");
  EXPECT_EQ(Store().readValue(kOtherProductKey, "x"), "kept");
}

TEST_F(UninstallTest, AtExitTheRecentFilesStillHeldAreWrittenBackUnderTheKey) {
  auto profile = SeedSettings();
  boxes.Answer(IDYES);
  ASSERT_EQ(RunUninstall(), UninstallResult::Removed);
  ASSERT_FALSE(Store().keyExists(kProductKey));

  // The program kept running with its list in memory; its exit processing writes it again.
  EXPECT_EQ(profile->RecentFiles(), std::vector<std::string>{kRecentFile});
  ASSERT_TRUE(profile->SaveStdProfileSettings());
  const std::string section = profile->AppRegistryKey() + "\\" + CAppProfile::kRecentFileSection;
  EXPECT_EQ(Store().readValue(section, "File1"), kRecentFile);
  EXPECT_TRUE(RecentAddresses().empty());
}

TEST_F(UninstallTest, YesWithoutAnySettingsStillSaysTheKeysAreRemoved) {
  boxes.Answer(IDYES);
  EXPECT_EQ(RunUninstall(), UninstallResult::Removed);
  ASSERT_EQ(boxes.requests.size(), 2u);
  EXPECT_EQ(boxes.requests[1].text, kUninstallDoneMessage);
  EXPECT_FALSE(Store().keyExists(kProductKey));
}

TEST_F(UninstallTest, AStoreThatCannotBeChangedIsReportedInsteadOfClaimedRemoved) {
  SeedSettings();
  // Another instance holds the store's lock for longer than a change waits.
  QLockFile held(QString::fromStdString(Store().file().string() + ".lock"));
  ASSERT_TRUE(held.tryLock(0));
  boxes.Answer(IDYES);

  EXPECT_EQ(RunUninstall(), UninstallResult::Failed);

  ASSERT_EQ(boxes.requests.size(), 2u);
  EXPECT_EQ(boxes.requests[1].text, kUninstallFailedMessage);
  EXPECT_EQ(boxes.requests[1].type, MB_OK | MB_ICONERROR);
  held.unlock();
  EXPECT_TRUE(Store().keyExists(kProductKey));
  EXPECT_EQ(RecentAddresses(), std::vector<std::string>{kRecentAddress});
}

}  // namespace
}  // namespace linkrake
