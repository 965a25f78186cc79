#include "sources/TempFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace linkrake {

namespace {

#ifdef O_NOFOLLOW
constexpr int kNoFollow = O_NOFOLLOW;
#else
constexpr int kNoFollow = 0;
#endif
#ifdef O_CLOEXEC
constexpr int kCloseOnExec = O_CLOEXEC;
#else
constexpr int kCloseOnExec = 0;
#endif

constexpr mode_t kOwnerOnly = S_IRUSR | S_IWUSR;

FileWriteResult refused(const std::string& path, std::string_view why) {
    return {false, path + ": " + std::string(why)};
}

FileWriteResult systemError(const std::string& path, std::string_view doing) {
    const int error = errno;
    return {false, path + ": " + std::string(doing) + ": " + std::strerror(error)};
}

// Closes on every early return; the last close is done by hand so that its failure counts.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return m_fd; }
    int release() {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

}  // namespace

FileWriteResult WriteTempFile(const std::string& path, std::string_view bytes) {
    if (path.empty()) {
        return {false, "No path was given for the temporary file."};
    }
#ifndef O_NOFOLLOW
    // Without O_NOFOLLOW only this earlier look stands between the open and a planted link.
    struct stat linkInfo {};
    if (::lstat(path.c_str(), &linkInfo) == 0 && S_ISLNK(linkInfo.st_mode)) {
        return refused(path, "is a symbolic link");
    }
#endif
    // No O_TRUNC: nothing is emptied before it is known to be ours. O_NONBLOCK keeps a
    // planted FIFO from blocking the open until someone reads it.
    const int flags = O_WRONLY | O_CREAT | O_NOCTTY | O_NONBLOCK | kNoFollow | kCloseOnExec;
    Descriptor file(::open(path.c_str(), flags, kOwnerOnly));
    if (file.get() < 0) {
        if (errno == ELOOP) {
            return refused(path, "is a symbolic link");
        }
        return systemError(path, "cannot open");
    }

    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        return systemError(path, "cannot examine");
    }
    if (!S_ISREG(info.st_mode)) {
        return refused(path, "is not a regular file");
    }
    const int statusFlags = ::fcntl(file.get(), F_GETFL);
    if (statusFlags < 0 || ::fcntl(file.get(), F_SETFL, statusFlags & ~O_NONBLOCK) != 0) {
        return systemError(path, "cannot set up");
    }
    if (info.st_uid != ::geteuid()) {
        return refused(path, "belongs to another user");
    }
    if (info.st_nlink != 1) {
        return refused(path, "has other names (hard links)");
    }
    if ((info.st_mode & 07777) != kOwnerOnly && ::fchmod(file.get(), kOwnerOnly) != 0) {
        return systemError(path, "cannot restrict its permissions");
    }
    if (::ftruncate(file.get(), 0) != 0) {
        return systemError(path, "cannot empty");
    }

    while (!bytes.empty()) {
        const ssize_t written = ::write(file.get(), bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return systemError(path, "cannot write");
        }
        if (written == 0) {
            return refused(path, "cannot write: the disk takes no more bytes");
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }

    if (::close(file.release()) != 0) {
        return systemError(path, "cannot close");
    }
    return {true, {}};
}

}  // namespace linkrake
