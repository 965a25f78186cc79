#pragma once
// The save dialog's filters, in the order whose 1-based index ChooseSaveTarget expects.
#include <array>
#include <string_view>

namespace linkrake {

struct SaveFilter {
  std::string_view description;
  std::string_view pattern;
};

inline constexpr int kHtmlFilterIndex = 2;
inline constexpr int kDownloadListFilterIndex = 3;

inline constexpr std::array<SaveFilter, 4> kSaveFilters{{
    {"Text files (*.txt)", "*.txt"},
    {"HTML files (*.html)", "*.html"},
    {"GetRight download list (*.txt)", "*.txt"},
    {"All files(*.*)", "*.*"},
}};

}  // namespace linkrake
