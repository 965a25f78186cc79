#pragma once

#include <string>
#include <string_view>

namespace linkrake::test {

enum class Wrapping { Gzip, Zlib };

// The bytes a server sends for "Content-Encoding: gzip" (Gzip) or "deflate" (Zlib).
std::string compress(std::string_view data, Wrapping wrapping);

}  // namespace linkrake::test
