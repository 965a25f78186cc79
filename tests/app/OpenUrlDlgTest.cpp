// The Open URL dialog through its real window offscreen, with the real settings store in a
// temporary folder: what the combo box offers when it opens, and what each way of closing it
// records.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/COpenUrlDlg.h"
#include "framework/testing/ModalTestKit.h"
#include "framework/testing/RecordingMessageBox.h"
#include "registry/SettingsLocation.h"
#include "registry/SettingsStore.h"
#include "res/ResourceIds.h"
#include "sources/CRegistryAccess.h"
#include "sources/RecentUrlStore.h"
#include "support/TempDir.h"

namespace linkrake {
namespace {

using testing::ModalTestKit;
using testing::RecordingMessageBox;
using testing::TempDir;
using Texts = std::vector<std::string>;

enum class CloseBy { OkButton, EnterKey, CancelButton, EscapeKey, CloseBox };

const char* Name(CloseBy how) {
  switch (how) {
    case CloseBy::OkButton: return "OkButton";
    case CloseBy::EnterKey: return "EnterKey";
    case CloseBy::CancelButton: return "CancelButton";
    case CloseBy::EscapeKey: return "EscapeKey";
    case CloseBy::CloseBox: return "CloseBox";
  }
  return "?";
}

void PrintTo(CloseBy how, std::ostream* out) { *out << Name(how); }

std::string Utf8(const QString& text) { return text.toUtf8().toStdString(); }

// What one opening of the dialog showed and left behind.
struct DialogRun {
  Texts listed;              // the combo box's list as the dialog opened
  int selectedAtOpen = -2;   // its current item then (-1: none)
  std::string editAtOpen;    // its edit field then
  int code = 0;              // what DoModal returned
  std::string chosen;        // the dialog's chosen address afterwards
};

// Opens the dialog, types `typed` into the combo box (or picks list item `pick`) and closes it
// the way given.
DialogRun RunDialog(const std::string& typed, CloseBy how, std::optional<int> pick = std::nullopt) {
  DialogRun run;
  ModalTestKit kit;
  COpenUrlDlg dialog;
  kit.OnNextModal<COpenUrlDlg>([&](COpenUrlDlg& d) {
    auto* combo = d.GetDlgItem<QComboBox>(IDC_URL_COMBO);
    ASSERT_NE(combo, nullptr);
    ASSERT_NE(combo->lineEdit(), nullptr);
    for (int i = 0; i < combo->count(); ++i) run.listed.push_back(Utf8(combo->itemText(i)));
    run.selectedAtOpen = combo->currentIndex();
    run.editAtOpen = Utf8(combo->currentText());
    if (pick) {
      combo->setCurrentIndex(*pick);
    } else {
      QTest::keyClicks(combo->lineEdit(), QString::fromUtf8(typed.data(), static_cast<qsizetype>(typed.size())));
    }
    switch (how) {
      case CloseBy::OkButton: {
        auto* ok = d.GetDlgItem<QPushButton>(IDOK);
        ASSERT_NE(ok, nullptr);
        QTest::mouseClick(ok, Qt::LeftButton);
        break;
      }
      case CloseBy::EnterKey: QTest::keyClick(combo->lineEdit(), Qt::Key_Return); break;
      case CloseBy::CancelButton: {
        auto* cancel = d.GetDlgItem<QPushButton>(IDCANCEL);
        ASSERT_NE(cancel, nullptr);
        QTest::mouseClick(cancel, Qt::LeftButton);
        break;
      }
      case CloseBy::EscapeKey: QTest::keyClick(combo->lineEdit(), Qt::Key_Escape); break;
      case CloseBy::CloseBox: d.close(); break;
    }
    EXPECT_FALSE(d.IsRunning()) << "the dialog did not close by " << Name(how);
  });
  run.code = dialog.DoModal();
  run.chosen = dialog.ChosenUrl();
  return run;
}

class OpenUrlDlgTest : public ::testing::Test {
 protected:
  void SetUp() override { setDefaultSettingsFolder(settingsDir_.Path()); }
  void TearDown() override { setDefaultSettingsFolder({}); }

  SettingsStore Store() const { return SettingsStore(settingsDir_.Path()); }
  void Put(int entry, const std::string& text) {
    CRegistryAccess registry(Store());
    ASSERT_TRUE(registry.WriteStringValue(HKEY_CURRENT_USER, RecentUrlEntryKey(entry), "", text));
  }
  // What the five entries hold; "<none>" for a missing one.
  Texts Entries() const {
    CRegistryAccess registry(Store());
    Texts entries;
    for (int n = 1; n <= kRecentUrlCount; ++n) {
      const std::string key = RecentUrlEntryKey(n);
      entries.push_back(registry.KeyExists(HKEY_CURRENT_USER, key)
                            ? registry.ReadStringValue(HKEY_CURRENT_USER, key, "")
                            : "<none>");
    }
    return entries;
  }

  TempDir settingsDir_;
  RecordingMessageBox boxes_;
};

TEST_F(OpenUrlDlgTest, OpensWithTheStoredEntriesInOrderAndNothingChosen) {
  Put(1, "http://first.example/");
  Put(2, "");
  // Entry 3 missing; entry 4 a key without a default value.
  ASSERT_TRUE(Store().createKey(RecentUrlEntryKey(4)));
  Put(5, "ftp://last.example/");

  const DialogRun run = RunDialog("", CloseBy::CancelButton);

  EXPECT_EQ(run.listed, (Texts{"http://first.example/", "", "-1", "ftp://last.example/"}));
  EXPECT_EQ(run.selectedAtOpen, -1);
  EXPECT_EQ(run.editAtOpen, "");
  EXPECT_EQ(run.code, IDCANCEL);
  EXPECT_EQ(run.chosen, "");
  // An empty text records nothing.
  EXPECT_EQ(Entries(), (Texts{"http://first.example/", "", "<none>", "-1", "ftp://last.example/"}));
  EXPECT_TRUE(boxes_.requests.empty());
}

TEST_F(OpenUrlDlgTest, OpensEmptyOnFirstUse) {
  const DialogRun run = RunDialog("", CloseBy::OkButton);
  EXPECT_TRUE(run.listed.empty());
  EXPECT_EQ(run.editAtOpen, "");
  EXPECT_EQ(run.code, IDOK);
  EXPECT_FALSE(Store().keyExists(kRecentUrlsKey));
}

class OpenUrlDlgCloseTest : public OpenUrlDlgTest, public ::testing::WithParamInterface<CloseBy> {};

TEST_P(OpenUrlDlgCloseTest, EveryWayOfClosingRecordsTheTypedAddress) {
  const CloseBy how = GetParam();
  const bool accepted = how == CloseBy::OkButton || how == CloseBy::EnterKey;

  const DialogRun run = RunDialog("example.org/links.html", how);

  EXPECT_EQ(run.code, accepted ? IDOK : IDCANCEL);
  EXPECT_EQ(run.chosen, "example.org/links.html");
  EXPECT_EQ(Entries(), (Texts{"example.org/links.html", "<none>", "<none>", "<none>", "<none>"}));
  EXPECT_TRUE(boxes_.requests.empty());

  // The next opening offers it.
  EXPECT_EQ(RunDialog("", CloseBy::CancelButton).listed, (Texts{"example.org/links.html"}));
}

INSTANTIATE_TEST_SUITE_P(Ways, OpenUrlDlgCloseTest,
                         ::testing::Values(CloseBy::OkButton, CloseBy::EnterKey, CloseBy::CancelButton,
                                           CloseBy::EscapeKey, CloseBy::CloseBox),
                         [](const ::testing::TestParamInfo<CloseBy>& info) { return std::string(Name(info.param)); });

// One opening after another: what the list offers when the dialog opens, what is entered, and
// what the five entries hold once it has closed.
struct Step {
  std::string entered;
  Texts listedAtOpen;
  Texts entriesAfter;
};

TEST_F(OpenUrlDlgTest, EntriesFillInOrderThenShiftOutTheOldest) {
  const std::string n = "<none>";
  const std::vector<Step> steps = {
      {"u1", {}, {"u1", n, n, n, n}},
      {"u2", {"u1"}, {"u1", "u2", n, n, n}},
      {"U1", {"u1", "u2"}, {"u1", "u2", n, n, n}},  // stored already, in another case
      {"", {"u1", "u2"}, {"u1", "u2", n, n, n}},    // nothing typed
      {"u3", {"u1", "u2"}, {"u1", "u2", "u3", n, n}},
      {"u4", {"u1", "u2", "u3"}, {"u1", "u2", "u3", "u4", n}},
      {"u5", {"u1", "u2", "u3", "u4"}, {"u1", "u2", "u3", "u4", "u5"}},
      {"u6", {"u1", "u2", "u3", "u4", "u5"}, {"u6", "u1", "u2", "u3", "u4"}},
      {"u7", {"u6", "u1", "u2", "u3", "u4"}, {"u7", "u6", "u1", "u2", "u3"}},
      {"U2", {"u7", "u6", "u1", "u2", "u3"}, {"u7", "u6", "u1", "u2", "u3"}},
      {" ", {"u7", "u6", "u1", "u2", "u3"}, {" ", "u7", "u6", "u1", "u2"}},  // blanks are text
  };
  for (std::size_t i = 0; i < steps.size(); ++i) {
    SCOPED_TRACE("step " + std::to_string(i + 1) + ": \"" + steps[i].entered + "\"");
    const DialogRun run = RunDialog(steps[i].entered, i % 2 ? CloseBy::CancelButton : CloseBy::OkButton);
    EXPECT_EQ(run.listed, steps[i].listedAtOpen);
    EXPECT_EQ(run.chosen, steps[i].entered);
    EXPECT_EQ(Entries(), steps[i].entriesAfter);
  }
  EXPECT_TRUE(boxes_.requests.empty());
}

TEST_F(OpenUrlDlgTest, PickingAListedAddressChoosesItAndKeepsItsPlace) {
  for (int n = 1; n <= kRecentUrlCount; ++n) Put(n, "http://site" + std::to_string(n) + ".example/");
  const Texts before = Entries();

  const DialogRun run = RunDialog("", CloseBy::OkButton, 3);

  EXPECT_EQ(run.listed, before);
  EXPECT_EQ(run.chosen, "http://site4.example/");
  EXPECT_EQ(Entries(), before);
}

// "-1" entered anew does not match an entry that only reads as "-1".
TEST_F(OpenUrlDlgTest, AnUnreadableEntryIsCarriedByTheShift) {
  Put(1, "a");
  ASSERT_TRUE(Store().createKey(RecentUrlEntryKey(2)));
  Put(3, "c");
  Put(4, "d");
  Put(5, "e");

  const DialogRun run = RunDialog("-1", CloseBy::OkButton);

  EXPECT_EQ(run.listed, (Texts{"a", "-1", "c", "d", "e"}));
  EXPECT_EQ(Entries(), (Texts{"-1", "a", "-1", "c", "d"}));
}

// Two stores that take no writes: a folder without write permission (root writes there all
// the same), and a folder that cannot exist because a plain file stands in its way.
enum class Unwritable { ReadOnlyFolder, FileInTheWay };

const char* Name(Unwritable store) { return store == Unwritable::ReadOnlyFolder ? "ReadOnlyFolder" : "FileInTheWay"; }
void PrintTo(Unwritable store, std::ostream* out) { *out << Name(store); }

class OpenUrlDlgUnwritableTest : public OpenUrlDlgTest, public ::testing::WithParamInterface<Unwritable> {};

TEST_P(OpenUrlDlgUnwritableTest, IsReportedOnceAndTheDialogStillCloses) {
  namespace fs = std::filesystem;
  fs::path folder = settingsDir_.Path();
  if (GetParam() == Unwritable::ReadOnlyFolder) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into a read-only folder";
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
  } else {
    folder = fs::path(settingsDir_.Write("plain-file", "")) / "settings";
    setDefaultSettingsFolder(folder);
  }

  const DialogRun run = RunDialog("example.org", CloseBy::OkButton);

  fs::permissions(settingsDir_.Path(), fs::perms::owner_all);
  EXPECT_EQ(run.code, IDOK);
  EXPECT_EQ(run.chosen, "example.org");
  ASSERT_EQ(boxes_.requests.size(), 1u);
  EXPECT_EQ(boxes_.requests[0].text, "Unable to put data in the registry.");
  EXPECT_EQ(boxes_.requests[0].type, MB_OK | MB_ICONERROR);
  EXPECT_FALSE(SettingsStore(folder).keyExists(kRecentUrlsKey));
}

INSTANTIATE_TEST_SUITE_P(Stores, OpenUrlDlgUnwritableTest,
                         ::testing::Values(Unwritable::ReadOnlyFolder, Unwritable::FileInTheWay),
                         [](const ::testing::TestParamInfo<Unwritable>& info) { return std::string(Name(info.param)); });

}  // namespace
}  // namespace linkrake
