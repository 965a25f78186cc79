// The framework's message box and file dialog: the rules they add (caption, owner, default icon,
// filter list, extension) through recording stand-ins, and the real Qt windows driven offscreen.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <filesystem>
#include <optional>

#include "framework/AppName.h"
#include "framework/FileDialog.h"
#include "framework/MainWindow.h"
#include "framework/MessageBox.h"
#include "framework/Shell.h"
#include "framework/testing/ModalTestKit.h"
#include "framework/testing/RecordingFileDialog.h"
#include "framework/testing/RecordingMessageBox.h"
#include "res/ResourceIds.h"
#include "support/TempDir.h"

namespace linkrake {
namespace {

// The program's name and main window for one test.
class ServicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetAppNameFromPath("/opt/linkrake/bin/linkrake.exe");
    SetMainWindow(&mainWindow);
  }
  void TearDown() override {
    SetMainWindow(nullptr);
    SetAppName("");
  }
  QWidget mainWindow;
};

TEST_F(ServicesTest, AppNameIsTheExecutablesNameWithoutExtension) {
  EXPECT_EQ(AppName(), "linkrake");
  SetAppNameFromPath("relative/Link.Rake.bin");
  EXPECT_EQ(AppName(), "Link.Rake");
  SetAppNameFromPath("linkrake");
  EXPECT_EQ(AppName(), "linkrake");
}

struct IconCase {
  const char* name;
  unsigned type;
  unsigned shownType;
};

class MessageBoxIcon : public ServicesTest, public ::testing::WithParamInterface<IconCase> {};

TEST_P(MessageBoxIcon, BoxNamingNoIconGetsTheExclamation) {
  const IconCase& c = GetParam();
  testing::RecordingMessageBox boxes;
  boxes.Answer(IDNO);
  EXPECT_EQ(AfxMessageBox("Line one\nline two", c.type), IDNO);
  ASSERT_EQ(boxes.requests.size(), 1u);
  const MessageBoxRequest& r = boxes.requests[0];
  EXPECT_EQ(r.type, c.shownType);
  EXPECT_EQ(r.caption, "linkrake");
  EXPECT_EQ(r.owner, &mainWindow);
  EXPECT_EQ(r.text, "Line one\nline two");
}

const IconCase kIcons[] = {
    {"Ok", MB_OK, MB_OK | MB_ICONEXCLAMATION},
    {"OkCancel", MB_OKCANCEL, MB_OKCANCEL | MB_ICONEXCLAMATION},
    {"YesNo", MB_YESNO, MB_YESNO | MB_ICONEXCLAMATION},
    {"YesNoCancel", MB_YESNOCANCEL, MB_YESNOCANCEL | MB_ICONEXCLAMATION},
    {"ErrorKept", MB_OK | MB_ICONERROR, MB_OK | MB_ICONERROR},
    {"QuestionKept", MB_YESNO | MB_ICONQUESTION, MB_YESNO | MB_ICONQUESTION},
    {"InformationKept", MB_OKCANCEL | MB_ICONINFORMATION, MB_OKCANCEL | MB_ICONINFORMATION},
    {"ExclamationKept", MB_OK | MB_ICONEXCLAMATION, MB_OK | MB_ICONEXCLAMATION},
    {"OtherButtonsGetNone", 0x2u, 0x2u},
    {"RetryCancelGetsNone", 0x5u, 0x5u},
};

INSTANTIATE_TEST_SUITE_P(AfxMessageBox, MessageBoxIcon, ::testing::ValuesIn(kIcons),
                         [](const ::testing::TestParamInfo<IconCase>& info) { return std::string(info.param.name); });

// The real box: what it shows and which code each answer gives.
struct RealBoxCase {
  const char* name;
  unsigned type;
  std::vector<QMessageBox::StandardButton> buttons;
  QMessageBox::Icon icon;
  std::optional<QMessageBox::StandardButton> click;  // else a key
  Qt::Key key;
  int expected;
};

class RealMessageBox : public ServicesTest, public ::testing::WithParamInterface<RealBoxCase> {};

TEST_P(RealMessageBox, ShowsTheTextCaptionButtonsAndIconAndAnswersTheButtonPressed) {
  const RealBoxCase& c = GetParam();
  testing::ModalTestKit kit;
  kit.OnNextModalWidget<QMessageBox>([&](QMessageBox& box) {
    EXPECT_EQ(box.windowTitle(), "linkrake");
    EXPECT_EQ(box.text(), QString::fromUtf8("Größe unbekannt.\n(/tmp/ä)"));
    EXPECT_EQ(box.icon(), c.icon);
    EXPECT_EQ(box.parentWidget(), &mainWindow);
    std::vector<QMessageBox::StandardButton> shown;
    for (QAbstractButton* button : box.buttons()) shown.push_back(box.standardButton(button));
    std::sort(shown.begin(), shown.end());
    auto expected = c.buttons;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(shown, expected);
    if (c.click) box.button(*c.click)->click();
    else QTest::keyClick(&box, c.key);
  });
  EXPECT_EQ(AfxMessageBox("Größe unbekannt.\n(/tmp/ä)", c.type), c.expected);
}

const RealBoxCase kRealBoxes[] = {
    {"OkEscapeIsOk", MB_OK, {QMessageBox::Ok}, QMessageBox::Warning, std::nullopt, Qt::Key_Escape, IDOK},
    {"OkCancelEscapeIsCancel", MB_OKCANCEL, {QMessageBox::Ok, QMessageBox::Cancel}, QMessageBox::Warning,
     std::nullopt, Qt::Key_Escape, IDCANCEL},
    {"OkCancelEnterIsOk", MB_OKCANCEL, {QMessageBox::Ok, QMessageBox::Cancel}, QMessageBox::Warning,
     std::nullopt, Qt::Key_Return, IDOK},
    {"YesNoNo", MB_YESNO | MB_ICONQUESTION, {QMessageBox::Yes, QMessageBox::No}, QMessageBox::Question,
     QMessageBox::No, Qt::Key_unknown, IDNO},
    {"YesNoEnterIsYes", MB_YESNO, {QMessageBox::Yes, QMessageBox::No}, QMessageBox::Warning, std::nullopt,
     Qt::Key_Return, IDYES},
    {"YesNoCancelCancel", MB_YESNOCANCEL, {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel},
     QMessageBox::Warning, QMessageBox::Cancel, Qt::Key_unknown, IDCANCEL},
    {"ErrorOk", MB_OK | MB_ICONERROR, {QMessageBox::Ok}, QMessageBox::Critical, QMessageBox::Ok,
     Qt::Key_unknown, IDOK},
    {"InformationOk", MB_OK | MB_ICONINFORMATION, {QMessageBox::Ok}, QMessageBox::Information,
     QMessageBox::Ok, Qt::Key_unknown, IDOK},
};

INSTANTIATE_TEST_SUITE_P(Qt, RealMessageBox, ::testing::ValuesIn(kRealBoxes),
                         [](const ::testing::TestParamInfo<RealBoxCase>& info) { return std::string(info.param.name); });

struct FilterBlockCase {
  const char* name;
  std::string block;  // NULs inside
  std::vector<std::pair<std::string, std::string>> filters;
};

class FilterBlock : public ::testing::TestWithParam<FilterBlockCase> {};

TEST_P(FilterBlock, SplitsIntoDescriptionPatternPairs) {
  std::vector<std::pair<std::string, std::string>> parsed;
  for (const FileFilter& f : ParseFilterBlock(GetParam().block.c_str())) parsed.emplace_back(f.description, f.pattern);
  EXPECT_EQ(parsed, GetParam().filters);
}

using namespace std::string_literals;
const FilterBlockCase kFilterBlocks[] = {
    {"OpenFileList",
     "Text files (*.txt)\0*.txt\0HTML files (*.html, *.htm)\0*.htm*\0All files(*.*)\0*.*\0\0"s,
     {{"Text files (*.txt)", "*.txt"}, {"HTML files (*.html, *.htm)", "*.htm*"}, {"All files(*.*)", "*.*"}}},
    {"SeveralPatterns", "Pages\0*.htm;*.html\0\0"s, {{"Pages", "*.htm;*.html"}}},
    {"Empty", "\0\0"s, {}},
    {"DescriptionWithoutPatternIsDropped", "Text\0*.txt\0Dangling\0\0"s, {{"Text", "*.txt"}}},
};

INSTANTIATE_TEST_SUITE_P(ParseFilterBlock, FilterBlock, ::testing::ValuesIn(kFilterBlocks),
                         [](const ::testing::TestParamInfo<FilterBlockCase>& info) { return std::string(info.param.name); });

TEST(FileDialog, NoBlockIsNoFilter) { EXPECT_TRUE(ParseFilterBlock(nullptr).empty()); }

const char kSaveFilters[] =
    "Text files (*.txt)\0*.txt\0HTML files (*.html)\0*.html\0GetRight download list (*.txt)\0*.txt\0"
    "All files(*.*)\0*.*\0";

TEST_F(ServicesTest, FileDialogAsksWithItsFiltersAndReadsBackPathAndFilterIndex) {
  testing::RecordingFileDialog files;
  files.Accept("/home/u/out/links.html", 3);
  CFileDialog dialog(false, nullptr, nullptr, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY);
  dialog.m_ofn.lpstrFilter = kSaveFilters;
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.GetPathName(), "/home/u/out/links.html");
  EXPECT_EQ(dialog.GetFileName(), "links.html");
  EXPECT_EQ(dialog.GetFileExt(), "html");
  EXPECT_EQ(dialog.m_ofn.nFilterIndex, 3);

  ASSERT_EQ(files.requests.size(), 1u);
  const FileDialogRequest& r = files.requests[0];
  EXPECT_FALSE(r.open);
  EXPECT_EQ(r.flags, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY);
  EXPECT_EQ(r.filterIndex, 1);  // index 0 means the first
  EXPECT_EQ(r.owner, &mainWindow);
  ASSERT_EQ(r.filters.size(), 4u);
  EXPECT_EQ(r.filters[2].description, "GetRight download list (*.txt)");
  EXPECT_EQ(r.filters[3].pattern, "*.*");
}

TEST_F(ServicesTest, CancelledFileDialogChangesNothing) {
  testing::RecordingFileDialog files;
  files.Cancel();
  CFileDialog dialog(true, nullptr, nullptr, OFN_HIDEREADONLY, kSaveFilters);
  dialog.m_ofn.nFilterIndex = 2;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.GetPathName(), "");
  EXPECT_EQ(dialog.m_ofn.nFilterIndex, 2);
  ASSERT_EQ(files.requests.size(), 1u);
  EXPECT_TRUE(files.requests[0].open);
  EXPECT_EQ(files.requests[0].filterIndex, 2);
  EXPECT_EQ(files.requests[0].filters.size(), 4u);
}

struct ExtCase {
  const char* name;
  std::string path;
  std::string ext;
};

class FileExt : public ::testing::TestWithParam<ExtCase> {};

TEST_P(FileExt, IsTheTextAfterTheNamesLastDot) {
  testing::RecordingFileDialog files;
  files.Accept(GetParam().path);
  CFileDialog dialog(false);
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.GetFileExt(), GetParam().ext);
}

const ExtCase kExts[] = {
    {"Plain", "/home/u/links.txt", "txt"},
    {"KeepsCase", "/home/u/LINKS.HTML", "HTML"},
    {"LastDotOnly", "/home/u/links.tar.gz", "gz"},
    {"NoDot", "/home/u/links", ""},
    {"DotInTheFolderOnly", "/home/u/my.links/list", ""},
    {"TrailingDot", "/home/u/links.", ""},
    {"SpacesKept", "/home/u/my links.my ext", "my ext"},
    {"Utf8Name", "/home/u/liste.größe", "größe"},
};

INSTANTIATE_TEST_SUITE_P(GetFileExt, FileExt, ::testing::ValuesIn(kExts),
                         [](const ::testing::TestParamInfo<ExtCase>& info) { return std::string(info.param.name); });

// The real Qt dialog, driven through its own widgets.
QLineEdit* NameEdit(QFileDialog& dialog) { return dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit")); }
QComboBox* TypeCombo(QFileDialog& dialog) { return dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo")); }
// What the dialog's Open or Save button does.
void Confirm(QFileDialog& dialog) { QMetaObject::invokeMethod(&dialog, "accept"); }

TEST_F(ServicesTest, RealSaveDialogShowsTheDescriptionsAndReportsTheChosenFilter) {
  testing::TempDir dir;
  const std::string path = dir.File("links.html");
  testing::ModalTestKit kit;
  kit.OnNextModalWidget<QFileDialog>([&](QFileDialog& d) {
    EXPECT_EQ(d.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(d.parentWidget(), &mainWindow);
    QComboBox* types = TypeCombo(d);
    QLineEdit* name = NameEdit(d);
    ASSERT_TRUE(types && name);
    QStringList shown;
    for (int i = 0; i < types->count(); ++i) shown << types->itemText(i);
    EXPECT_EQ(shown, (QStringList{"Text files (*.txt)", "HTML files (*.html)", "GetRight download list (*.txt)",
                                  "All files(*.*)"}));
    EXPECT_EQ(types->currentIndex(), 0);
    types->setCurrentIndex(2);
    emit types->activated(2);
    name->setText(QString::fromStdString(path));
    Confirm(d);
  });
  CFileDialog dialog(false);
  dialog.m_ofn.lpstrFilter = kSaveFilters;
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.GetPathName(), path);
  EXPECT_EQ(dialog.m_ofn.nFilterIndex, 3);
  EXPECT_EQ(dialog.GetFileExt(), "html");
}

TEST_F(ServicesTest, RealOpenDialogAcceptsANameThatDoesNotExistAndFiltersByThePatternNotTheDescription) {
  testing::TempDir dir;
  dir.Write("page.html", "<a href=\"x\">");
  dir.Write("page.htmlx", "");
  dir.Write("notes.txt", "");
  const std::string missing = dir.File("missing.txt");
  testing::ModalTestKit kit;
  kit.OnNextModalWidget<QFileDialog>([&](QFileDialog& d) {
    EXPECT_EQ(d.acceptMode(), QFileDialog::AcceptOpen);
    // "HTML files (*.html, *.htm)" filters by *.htm*, which takes both pages.
    ASSERT_EQ(d.nameFilters().size(), 3);
    EXPECT_TRUE(d.nameFilters()[1].endsWith("(*.htm*)")) << d.nameFilters()[1].toStdString();
    ASSERT_NE(TypeCombo(d), nullptr);
    EXPECT_EQ(TypeCombo(d)->currentIndex(), 0);
    NameEdit(d)->setText(QString::fromStdString(missing));
    Confirm(d);
  });
  CFileDialog dialog(true, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
  dialog.m_ofn.lpstrFilter =
      "Text files (*.txt)\0*.txt\0HTML files (*.html, *.htm)\0*.htm*\0All files(*.*)\0*.*\0";
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.GetPathName(), missing);
  EXPECT_EQ(dialog.m_ofn.nFilterIndex, 1);
}

struct OverwriteCase {
  const char* name;
  unsigned flags;
  bool exists;
  bool asked;
};

class RealSaveOverwrite : public ServicesTest, public ::testing::WithParamInterface<OverwriteCase> {};

TEST_P(RealSaveOverwrite, AsksBeforeReplacingOnlyWhenTheFlagSaysSo) {
  const OverwriteCase& c = GetParam();
  testing::TempDir dir;
  const std::string path = c.exists ? dir.Write("old.txt", "keep") : dir.File("old.txt");
  bool asked = false;
  {
    // A box nobody expects would block until the watchdog ends it and fails the test.
    testing::ModalTestKit kit(std::chrono::seconds(5));
    kit.OnNextModalWidget<QFileDialog>([&](QFileDialog& d) {
      NameEdit(d)->setText(QString::fromStdString(path));
      Confirm(d);
    });
    if (c.asked) {
      kit.OnNextModalWidget<QMessageBox>([&](QMessageBox& box) {
        asked = true;
        box.button(QMessageBox::Yes)->click();
      });
    }
    CFileDialog dialog(false, nullptr, nullptr, c.flags, "Text\0*.txt\0");
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetPathName(), path);
  }
  EXPECT_EQ(asked, c.asked);
}

const OverwriteCase kOverwrite[] = {
    {"ExistingWithPrompt", OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, true, true},
    {"ExistingWithoutPrompt", OFN_HIDEREADONLY, true, false},
    {"NewWithPrompt", OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, false, false},
};

INSTANTIATE_TEST_SUITE_P(Qt, RealSaveOverwrite, ::testing::ValuesIn(kOverwrite),
                         [](const ::testing::TestParamInfo<OverwriteCase>& info) { return std::string(info.param.name); });

TEST_F(ServicesTest, RealSaveDialogAnsweredNoToReplacingStaysOpenUntilCancelled) {
  testing::TempDir dir;
  const std::string path = dir.Write("old.txt", "keep");
  bool openAfterNo = false;
  testing::ModalTestKit kit(std::chrono::seconds(5));
  kit.OnNextModalWidget<QFileDialog>([&](QFileDialog& d) {
    NameEdit(d)->setText(QString::fromStdString(path));
    Confirm(d);
    openAfterNo = d.isVisible();
    d.reject();
  });
  kit.OnNextModalWidget<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::No)->click(); });
  CFileDialog dialog(false, nullptr, nullptr, OFN_OVERWRITEPROMPT, "Text\0*.txt\0");
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(openAfterNo);
  EXPECT_EQ(testing::ReadFileBytes(path), "keep");
}

TEST(Shell, RealDesktopRefusesAnEmptyTarget) { EXPECT_FALSE(ShellOpen("")); }

}  // namespace
}  // namespace linkrake
