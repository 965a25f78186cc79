#pragma once
#include <cstddef>
#include <limits>
#include <ostream>
#include <string>
#include <string_view>

#include "extract/LinkList.h"
#include "output/SaveFormat.h"

namespace linkrake {

inline constexpr std::size_t kNoItem = std::numeric_limits<std::size_t>::max();

// Where the item that says nothing was found stands in the list, or kNoItem when the search
// did not add it. Only that item: a link that happens to read the same stays a link.
std::size_t NoLinksItemIndex(const LinkList& list, bool searchAddedIt);

// Prints the results in the format with LF line ends, leaving out the item at skip (kNoItem:
// none). Returns whether everything reached the stream.
bool PrintResults(const LinkList& list, std::size_t skip, SaveFormat format,
                  std::string_view base, std::ostream& out);

// Writes the whole list, as Save as writes it, to the file at path (no extension added).
// Returns the failure message; empty when the file was written.
std::string SaveResultsFile(const LinkList& list, SaveFormat format, std::string_view base,
                            const std::string& path);

}  // namespace linkrake
