// Saving into real files: failures leave the old file as it was, replacements keep
// what the old file had besides its content.
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "OutputTestSupport.h"
#include "output/SaveResults.h"

namespace linkrake {
namespace {

using test::EntriesOf;
using test::ReadBytes;
using test::TinyList;
using test::WriteBytes;

const TinyList kTwo{{"http://a.example/", "http://b.example/%41"}};
constexpr char kTwoPlain[] = "http://a.example/\r\nhttp://b.example/%41\r\n";
constexpr char kOld[] = "old content that must survive\r\n";

std::string Failure(const std::string& path) {
  return "Unable to save contents to selected output file.\n(" + path + ")";
}

bool IsLink(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

// Writes half of the bytes, then fails as a full disk would.
std::error_code FailHalfway(int fd, std::string_view bytes) {
  WriteAllBytes(fd, bytes.substr(0, bytes.size() / 2));
  return std::make_error_code(std::errc::no_space_on_device);
}

struct UnwritableCase {
  const char* label;
  std::function<void(const test::TempFolder&)> prepare;
  std::string name;     // as typed, below the test folder
  std::string tried;    // the path the message must name
};

void PrintTo(const UnwritableCase& c, std::ostream* os) { *os << c.label; }

class UnwritableTarget : public testing::TestWithParam<UnwritableCase> {};

TEST_P(UnwritableTarget, ReportsTriedPathAndChangesNothing) {
  const UnwritableCase& c = GetParam();
  test::TempFolder folder;
  c.prepare(folder);
  const auto before = EntriesOf(folder.path());

  const std::string chosen = folder / c.name;
  const SaveOutcome outcome = SaveLinks(kTwo, chosen, ExtensionOf(chosen), 1, "");

  EXPECT_FALSE(outcome.Saved());
  EXPECT_EQ(outcome.message, Failure(folder / c.tried));
  EXPECT_EQ(EntriesOf(folder.path()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Output, UnwritableTarget,
    testing::Values(
        UnwritableCase{"MissingFolder", [](const test::TempFolder&) {}, "missing/links",
                       "missing/links.txt"},
        UnwritableCase{"FileWhereFolderShouldBe",
                       [](const test::TempFolder& f) { WriteBytes(f / "file", kOld); },
                       "file/links", "file/links.txt"},
        UnwritableCase{"FolderAtTarget",
                       [](const test::TempFolder& f) {
                         std::filesystem::create_directory(f / "links.txt");
                       },
                       "links", "links.txt"},
        UnwritableCase{"NulInName", [](const test::TempFolder&) {},
                       std::string("a\0b", 3), std::string("a\0b.txt", 7)}),
    [](const auto& info) { return std::string(info.param.label); });

// Runs `save` in a child process as an unprivileged user when the test runs as root,
// for whom permission bits bind nothing. Gives what `save` returned, or nothing when
// privileges could not be dropped.
std::optional<std::string> RunUnprivileged(const std::function<std::string()>& save) {
  int channel[2];
  if (::pipe(channel) != 0) {
    return std::nullopt;
  }
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(channel[0]);
    const uid_t nobody = 65534;
    if (::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0)) {
      ::_exit(2);
    }
    const std::string result = save();
    WriteAllBytes(channel[1], result);
    ::_exit(0);
  }
  ::close(channel[1]);
  std::string result;
  char buffer[512];
  for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;) {
    result.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(channel[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    return std::nullopt;
  }
  return result;
}

struct ReadOnlyCase {
  const char* label;
  mode_t folderMode;
  bool fileExists;
  mode_t fileMode;
};

void PrintTo(const ReadOnlyCase& c, std::ostream* os) { *os << c.label; }

class ReadOnlyTarget : public testing::TestWithParam<ReadOnlyCase> {};

TEST_P(ReadOnlyTarget, IsReportedAndLeftAsItWas) {
  const ReadOnlyCase& c = GetParam();
  test::TempFolder folder;
  const std::string box = folder / "box";
  std::filesystem::create_directory(box);
  const std::string target = box + "/links.txt";
  if (c.fileExists) {
    WriteBytes(target, kOld);
    ::chmod(target.c_str(), c.fileMode);
  }
  ::chmod(box.c_str(), c.folderMode);
  const auto before = EntriesOf(box);

  const auto message = RunUnprivileged(
      [&] { return SaveLinks(kTwo, box + "/links", "", 1, "").message; });
  if (!message) {
    GTEST_SKIP() << "cannot drop privileges to check permission bits";
  }

  EXPECT_EQ(*message, Failure(target));
  EXPECT_EQ(EntriesOf(box), before);
  if (c.fileExists) {
    EXPECT_EQ(ReadBytes(target), kOld);
    EXPECT_EQ(test::ModeOf(target), c.fileMode);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Output, ReadOnlyTarget,
    testing::Values(ReadOnlyCase{"NewFileInReadOnlyFolder", 0555, false, 0},
                    ReadOnlyCase{"WritableFileInReadOnlyFolder", 0555, true, 0666},
                    ReadOnlyCase{"ReadOnlyFileInOpenFolder", 0777, true, 0444}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(OutputFailedWrite, KeepsOldFileAndLeavesNothingBehind) {
  for (const bool existed : {true, false}) {
    SCOPED_TRACE(existed ? "over an existing file" : "as a new file");
    test::TempFolder folder;
    const std::string target = folder / "links.txt";
    if (existed) {
      WriteBytes(target, kOld);
    }
    const auto before = EntriesOf(folder.path());

    const SaveOutcome outcome = SaveLinks(kTwo, folder / "links", "", 1, "", FailHalfway);

    EXPECT_EQ(outcome.error, std::errc::no_space_on_device);
    EXPECT_EQ(outcome.message, Failure(target));
    EXPECT_EQ(EntriesOf(folder.path()), before);
    if (existed) {
      EXPECT_EQ(ReadBytes(target), kOld);
    }
  }
}

TEST(OutputReplace, SavingAgainReplacesWholeFile) {
  test::TempFolder folder;
  const std::string chosen = folder / "links";
  ASSERT_TRUE(SaveLinks(kTwo, chosen, "", 2, "http://base/").Saved());
  ASSERT_TRUE(SaveLinks(kTwo, chosen, "", 1, "").Saved());
  ASSERT_TRUE(SaveLinks(kTwo, chosen + ".html", "html", 1, "").Saved());
  ASSERT_TRUE(SaveLinks(TinyList{{"x"}}, chosen, "", 4, "").Saved());

  EXPECT_EQ(ReadBytes(folder / "links.txt"), "x\r\n");
  EXPECT_EQ(ReadBytes(folder / "links.html"), kTwoPlain);
  EXPECT_EQ(EntriesOf(folder.path()), (std::set<std::string>{"links.html", "links.txt"}));
}

TEST(OutputReplace, KeepsPermissionBitsOfExistingFile) {
  for (const mode_t mode : {0600, 0640, 0755}) {
    test::TempFolder folder;
    const std::string target = folder / "links.txt";
    WriteBytes(target, kOld);
    ::chmod(target.c_str(), mode);

    ASSERT_TRUE(SaveLinks(kTwo, target, "txt", 1, "").Saved());

    EXPECT_EQ(test::ModeOf(target), mode);
    EXPECT_EQ(ReadBytes(target), kTwoPlain);
  }
}

TEST(OutputReplace, NewFileFollowsUmask) {
  for (const mode_t mask : {022, 027, 077}) {
    test::TempFolder folder;
    const mode_t previous = ::umask(mask);
    const SaveOutcome outcome = SaveLinks(kTwo, folder / "links", "", 1, "");
    ::umask(previous);

    ASSERT_TRUE(outcome.Saved());
    EXPECT_EQ(test::ModeOf(folder / "links.txt"), 0666 & ~mask) << std::oct << mask;
  }
}

struct LinkCase {
  const char* label;
  // Makes links.txt in folder "out" a link (maybe through others) and names the real file.
  std::function<std::string(const test::TempFolder&)> prepare;
  bool realFileExists;
};

void PrintTo(const LinkCase& c, std::ostream* os) { *os << c.label; }

class LinkedTarget : public testing::TestWithParam<LinkCase> {};

TEST_P(LinkedTarget, IsWrittenThroughAndStaysALink) {
  const LinkCase& c = GetParam();
  test::TempFolder folder;
  std::filesystem::create_directory(folder / "out");
  std::filesystem::create_directory(folder / "data");
  const std::string link = folder / "out/links.txt";
  const std::string real = c.prepare(folder);
  if (c.realFileExists) {
    WriteBytes(real, kOld);
  }
  const std::string linkText = std::filesystem::read_symlink(link).string();
  const auto outBefore = EntriesOf(folder / "out");
  const auto realFolder = std::filesystem::path(real).parent_path().string();
  auto realBefore = EntriesOf(realFolder);
  realBefore.insert(std::filesystem::path(real).filename().string());

  const SaveOutcome outcome = SaveLinks(kTwo, folder / "out/links", "", 1, "");

  ASSERT_TRUE(outcome.Saved()) << outcome.error.message();
  EXPECT_TRUE(IsLink(link));
  EXPECT_EQ(std::filesystem::read_symlink(link).string(), linkText);
  EXPECT_EQ(ReadBytes(real), kTwoPlain);
  EXPECT_EQ(EntriesOf(folder / "out"), outBefore);
  EXPECT_EQ(EntriesOf(realFolder), realBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Output, LinkedTarget,
    testing::Values(
        LinkCase{"RelativeInSameFolder",
                 [](const test::TempFolder& f) {
                   std::filesystem::create_symlink("real.txt", f / "out/links.txt");
                   return f / "out/real.txt";
                 },
                 true},
        LinkCase{"RelativeIntoOtherFolder",
                 [](const test::TempFolder& f) {
                   std::filesystem::create_symlink("../data/real.txt", f / "out/links.txt");
                   return f / "data/real.txt";
                 },
                 true},
        LinkCase{"ChainOfTwo",
                 [](const test::TempFolder& f) {
                   std::filesystem::create_symlink(f / "data/hop", f / "out/links.txt");
                   std::filesystem::create_symlink("real.txt", f / "data/hop");
                   return f / "data/real.txt";
                 },
                 true},
        LinkCase{"DanglingCreatesTarget",
                 [](const test::TempFolder& f) {
                   std::filesystem::create_symlink("../data/new.txt", f / "out/links.txt");
                   return f / "data/new.txt";
                 },
                 false}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(OutputPipe, IsWrittenInPlaceWhenReadAndFailsAtOnceWhenNot) {
  test::TempFolder folder;
  const std::string pipe = folder / "links.txt";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);

  const SaveOutcome unread = SaveLinks(kTwo, folder / "links", "", 1, "");
  EXPECT_EQ(unread.message, Failure(pipe));

  const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  const SaveOutcome read = SaveLinks(kTwo, folder / "links", "", 3, "");
  char buffer[256] = {};
  const ssize_t got = ::read(reader, buffer, sizeof buffer);
  ::close(reader);

  ASSERT_TRUE(read.Saved()) << read.error.message();
  EXPECT_EQ(std::string(buffer, got > 0 ? static_cast<std::size_t>(got) : 0),
            "URL: http://a.example/\r\nURL: http://b.example/%41\r\n");
  struct stat info {};
  ASSERT_EQ(::lstat(pipe.c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
  EXPECT_EQ(EntriesOf(folder.path()), std::set<std::string>{"links.txt"});
}

}  // namespace
}  // namespace linkrake
