#pragma once
#include <string>
#include <string_view>

#include "extract/LinkList.h"
#include "extract/Progress.h"

namespace linkrake {

// The exclusion text without its first 255 "*" (a later "*" stays an ordinary byte).
std::string MakeExclusionPattern(std::string_view exclusionText);

// Leaves one item of every text. Makes one progress step of 10000 / count per item the list
// held at the start (none on an empty list), as a filter that looks at the items one by one.
void RemoveDuplicateLinks(LinkList& list, ProgressTracker& progress);

// Removes every item that contains the exclusion pattern; progress as above.
void RemoveExcludedLinks(LinkList& list, std::string_view exclusionText,
                         ProgressTracker& progress);

}  // namespace linkrake
