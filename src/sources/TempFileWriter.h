#pragma once

#include <string>
#include <string_view>

namespace linkrake {

struct FileWriteResult {
    bool ok = false;
    std::string reason;  // why the file was not written; empty when ok
};

// Writes a downloaded page into the temporary file, byte for byte: no line ends are
// translated, NUL bytes stay. The file lives in a folder others can write to, so the
// path is opened without following links and only a regular file of this user with no
// other names is written; whatever else stands there is left as it is and refused.
// The file ends up readable and writable by its owner only. Any failure to open, write
// or close it is reported.
FileWriteResult WriteTempFile(const std::string& path, std::string_view bytes);

}  // namespace linkrake
