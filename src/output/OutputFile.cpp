#include "output/OutputFile.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <random>
#include <string>

namespace linkrake {
namespace {

constexpr int kMaxLinkHops = 40;
constexpr int kMaxNameTries = 100;
// Keeps the temporary name within the file system's name limit however long the target's is.
constexpr std::size_t kMaxNameStem = 64;

std::error_code LastError() { return {errno, std::generic_category()}; }

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    return ".";
  }
  return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Follows a chain of symbolic links to the path that really holds (or will hold) the
// file, so that the replacement lands there and the links stay links.
std::error_code FollowLinks(std::string& path) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
      return errno == ENOENT ? std::error_code{} : LastError();
    }
    if (!S_ISLNK(info.st_mode)) {
      return {};
    }
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink(path.c_str(), buffer, sizeof buffer);
    if (length < 0) {
      return LastError();
    }
    if (length == 0) {
      return std::make_error_code(std::errc::no_such_file_or_directory);
    }
    if (static_cast<std::size_t>(length) == sizeof buffer) {
      return std::make_error_code(std::errc::filename_too_long);
    }
    const std::string target(buffer, static_cast<std::size_t>(length));
    path = target.front() == '/' ? target : FolderOf(path) + "/" + target;
  }
  return std::make_error_code(std::errc::too_many_symbolic_link_levels);
}

// The new file next to the target; removed again unless it was put in the target's place.
class PendingFile {
 public:
  PendingFile() = default;
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;
  ~PendingFile() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
    if (!path_.empty()) {
      ::unlink(path_.c_str());
    }
  }

  std::error_code Create(const std::string& folder, const std::string& name) {
    std::random_device seed;
    std::mt19937_64 random(seed());
    std::string stem(1, '.');
    stem.append(name, 0, kMaxNameStem).append(1, '.');
    for (int attempt = 0; attempt < kMaxNameTries; ++attempt) {
      char suffix[24];
      std::snprintf(suffix, sizeof suffix, "%016llx.tmp",
                    static_cast<unsigned long long>(random()));
      std::string candidate = folder;
      candidate.append("/").append(stem).append(suffix);
      // 0666 lets the umask decide, as for any newly created file.
      fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd_ >= 0) {
        path_ = std::move(candidate);
        return {};
      }
      if (errno != EEXIST) {
        return LastError();
      }
    }
    return std::make_error_code(std::errc::file_exists);
  }

  int fd() const { return fd_; }

  std::error_code Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0 ? std::error_code{} : LastError();
  }

  std::error_code MoveTo(const std::string& target) {
    if (::rename(path_.c_str(), target.c_str()) != 0) {
      return LastError();
    }
    path_.clear();
    return {};
  }

 private:
  std::string path_;
  int fd_ = -1;
};

std::error_code KeepOwnerAndMode(int fd, const struct stat& old) {
  struct stat now {};
  if (::fstat(fd, &now) != 0) {
    return LastError();
  }
  if (now.st_uid != old.st_uid || now.st_gid != old.st_gid) {
    // Only possible with the right to do so; otherwise the saver becomes the owner,
    // as with any file written anew.
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
      errno = 0;
    }
  }
  // After the owner: a change of owner clears the set-id bits.
  return ::fchmod(fd, old.st_mode & 07777) == 0 ? std::error_code{} : LastError();
}

void SyncFolder(const std::string& folder) {
  // Makes the rename itself durable; a folder that cannot be synced costs nothing more.
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    (void)::fsync(fd);
    ::close(fd);
  }
}

std::error_code WriteBeside(const std::string& target, const std::optional<struct stat>& old,
                            std::string_view content, const ByteWriter& writer) {
  const std::string folder = FolderOf(target);
  PendingFile pending;
  if (std::error_code error = pending.Create(folder, NameOf(target))) {
    return error;
  }
  if (old) {
    if (std::error_code error = KeepOwnerAndMode(pending.fd(), *old)) {
      return error;
    }
  }
  if (std::error_code error = writer(pending.fd(), content)) {
    return error;
  }
  if (::fsync(pending.fd()) != 0) {
    return LastError();
  }
  if (std::error_code error = pending.Close()) {
    return error;
  }
  if (std::error_code error = pending.MoveTo(target)) {
    return error;
  }
  SyncFolder(folder);
  return {};
}

std::error_code WriteInPlace(const std::string& path, std::string_view content,
                             const ByteWriter& writer) {
  // Non-blocking open: a pipe nobody reads fails at once instead of freezing the save.
  const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    return LastError();
  }
  std::error_code error;
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    error = LastError();
  }
  if (!error) {
    error = writer(fd, content);
  }
  if (::close(fd) != 0 && !error) {
    error = LastError();
  }
  return error;
}

}  // namespace

std::error_code WriteAllBytes(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      return LastError();
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return {};
}

std::error_code ReplaceFileContent(std::string_view path, std::string_view content,
                                   const ByteWriter& writer) {
  // A NUL would cut the name short and send the content to another file.
  if (path.empty() || path.find('\0') != std::string_view::npos) {
    return std::make_error_code(std::errc::invalid_argument);
  }
  std::string target(path);
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
    // Devices and pipes (also behind links such as /dev/stdout) cannot be replaced.
    return WriteInPlace(target, content, writer);
  }
  if (std::error_code error = FollowLinks(target)) {
    return error;
  }
  if (::lstat(target.c_str(), &info) != 0) {
    if (errno != ENOENT) {
      return LastError();
    }
    return WriteBeside(target, std::nullopt, content, writer);
  }
  if (!S_ISREG(info.st_mode)) {
    return WriteInPlace(target, content, writer);
  }
  // A read-only file stays read-only: the folder's rights alone would let it be replaced.
  if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
    return LastError();
  }
  return WriteBeside(target, info, content, writer);
}

}  // namespace linkrake
