#pragma once
// Which file a save writes and in which format, from what the save dialog reported.
#include <string>
#include <string_view>

#include "output/SaveFormat.h"

namespace linkrake {

struct SaveTarget {
  std::string path;
  SaveFormat format;
};

// The text after the last dot of the file name (not of a folder), without the dot;
// empty when the name has no dot. This is what the save dialog reports as extension.
std::string_view ExtensionOf(std::string_view path);

// A name typed without extension gets one from the filter; the download list is only
// written for filter 3 with such a name, so "links.txt" under filter 3 stays plain text.
// Indices other than 2 and 3 (including ones no dialog offers) mean plain text.
SaveTarget ChooseSaveTarget(std::string_view path, std::string_view extension, int filterIndex);

}  // namespace linkrake
