// The built program itself, run as a child process with real files for its three streams.
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace linkrake {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;

struct ProgramRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the program with the arguments and standard input; as the user nobody when asked
// (nothing when that is not possible).
std::optional<ProgramRun> RunProgram(const TempDir& dir, const std::vector<std::string>& args,
                                     const std::string& input, bool asNobody = false) {
  const std::string in = dir.Write("stdin", input);
  const std::string out = dir.File("stdout");
  const std::string err = dir.File("stderr");
  std::vector<std::string> words = {LINKRAKE_CLI_PATH};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  const pid_t child = ::fork();
  if (child == 0) {
    const int inFd = ::open(in.c_str(), O_RDONLY);
    const int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (inFd < 0 || outFd < 0 || errFd < 0) ::_exit(120);
    ::dup2(inFd, 0);
    ::dup2(outFd, 1);
    ::dup2(errFd, 2);
    const gid_t nobody = 65534;
    if (asNobody && ::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0)) {
      ::_exit(121);
    }
    ::execv(argv[0], argv.data());
    ::_exit(122);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status)) return ProgramRun{};
  if (asNobody && WEXITSTATUS(status) == 121) return std::nullopt;
  return ProgramRun{WEXITSTATUS(status), ReadFileBytes(out), ReadFileBytes(err)};
}

TEST(CliProgram, RunsAsACommand) {
  TempDir dir;
  const std::string page =
      dir.Write("page.html", "<a href=\"a.html\">a</a>\r\nhttp://b/ http://b/\r\n");
  const struct {
    const char* label;
    std::vector<std::string> args;
    std::string input;
    int status;
    std::string out;
    std::string err;
  } cases[] = {
      {"a file", {page}, "", 0, "http://b/\nhttp://www.morvane.example/a.html\n", ""},
      {"standard input", {"--kind", "http", "-"}, "x http://c/\n", 0, "http://c/\n", ""},
      {"a missing file", {dir.File("missing")}, "", 1, "",
       "linkrake-cli: Unable to open selected file.\n"},
      {"no file", {}, "", 2, "", "linkrake-cli: no FILE given\n"},
      {"--version", {"--version"}, "", 0, "linkrake-cli " LINKRAKE_VERSION "\n", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const auto run = RunProgram(dir, c.args, c.input);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->status, c.status);
    EXPECT_EQ(run->out, c.out);
    EXPECT_EQ(run->err.substr(0, c.err.size()), c.err);
    if (c.err.empty()) {
      EXPECT_EQ(run->err, "");
    }
  }
}

TEST(CliProgram, WritesTheOutputFileAndRefusesAReadOnlyFolder) {
  TempDir dir;
  const std::string page = dir.Write("page.html", "http://b/\n");
  auto written = RunProgram(dir, {"--format", "getright", "-o", dir.File("list"), page}, "");
  ASSERT_TRUE(written);
  EXPECT_EQ(written->status, 0);
  EXPECT_EQ(ReadFileBytes(dir.File("list")), "URL: http://b/\r\n");

  // Permission bits bind nobody as root: the program runs as an ordinary user.
  const std::string box = dir.File("box");
  ::mkdir(box.c_str(), 0755);
  const std::string old = dir.Write("box/links.txt", "old\r\n");
  ::chmod(dir.Path().c_str(), 0777);
  ::chmod(old.c_str(), 0666);
  ::chmod(box.c_str(), 0555);
  const auto refused = RunProgram(dir, {"-o", old, page}, "", true);
  if (!refused) GTEST_SKIP() << "cannot run the program as another user";
  EXPECT_EQ(refused->status, 1);
  EXPECT_EQ(refused->out, "");
  EXPECT_EQ(refused->err,
            "linkrake-cli: Unable to save contents to selected output file. (" + old + ")\n");
  EXPECT_EQ(ReadFileBytes(old), "old\r\n");
  std::size_t entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(box)) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(entries, 1u);
}

}  // namespace
}  // namespace linkrake
