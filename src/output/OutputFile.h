#pragma once
// Writes a whole file so that a failure never leaves a half-written or emptied target.
#include <functional>
#include <string_view>
#include <system_error>

namespace linkrake {

// Writes all of `bytes` to the open descriptor `fd`; an empty error code means done.
// The seam through which a test makes a write fail part-way.
using ByteWriter = std::function<std::error_code(int fd, std::string_view bytes)>;

// Loops over short writes and interruptions until every byte is written.
std::error_code WriteAllBytes(int fd, std::string_view bytes);

// Puts `content` in the file at `path`, creating it when it does not exist.
// A regular file is replaced only once a new file beside it is completely written,
// flushed and closed; on any failure the new file is removed and the old one is left
// as it was. An existing file keeps its permission bits (and, where allowed, its
// owner); a file the user may not write is not replaced. A symbolic link is written
// through: its final target gets the content and the link stays a link. A device or
// pipe is written in place (there is nothing to replace), without waiting for a reader.
std::error_code ReplaceFileContent(std::string_view path, std::string_view content,
                                   const ByteWriter& writer = WriteAllBytes);

}  // namespace linkrake
