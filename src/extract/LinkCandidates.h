#pragma once
#include <cstddef>

namespace linkrake {

// The first position i in [from, end - 1) where ":/" or "=\"" begins, or end when there is none.
// Every link pattern holds one of the two pairs ("http://" and "ftp://" hold ":/", <a href="
// holds "=\""), so a line without a candidate cannot yield a link and need not be scanned.
std::size_t FindLinkCandidate(const char* data, std::size_t from, std::size_t end);

}  // namespace linkrake
