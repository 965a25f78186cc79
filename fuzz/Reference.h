#pragma once
// Slow, obvious versions of the engine's rules, for the fuzzers to hold the fast ones against.
#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace linkrake::fuzz {

// The input's lines: up to the first 0x1A byte, split at LF (a CR right before an LF belongs to
// the break), each line in pieces of up to 9,999 bytes, each piece ending at its first NUL.
inline std::vector<std::string> ReferenceLines(std::string_view data) {
  constexpr std::size_t kMaxLine = 9999;
  data = data.substr(0, std::min(data.find('\x1a'), data.size()));
  std::vector<std::string> lines;
  auto addPieces = [&](std::string_view line) {
    do {
      std::string_view piece = line.substr(0, kMaxLine);
      line.remove_prefix(piece.size());
      lines.emplace_back(piece.substr(0, std::min(piece.find('\0'), piece.size())));
    } while (!line.empty());
  };
  std::size_t start = 0;
  for (std::size_t lf = data.find('\n'); lf != std::string_view::npos;
       lf = data.find('\n', start)) {
    std::string_view line = data.substr(start, lf - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    addPieces(line);
    start = lf + 1;
  }
  addPieces(data.substr(start));
  return lines;
}

// The exclusion text less its first 255 asterisks.
inline std::string ReferencePattern(std::string_view text) {
  std::string pattern;
  int stars = 0;
  for (char c : text) {
    if (c == '*' && stars < 255) {
      ++stars;
      continue;
    }
    pattern += c;
  }
  return pattern;
}

// Unsigned byte order, the order the link list keeps.
inline bool ByteLess(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  });
}

inline bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

}  // namespace linkrake::fuzz
