#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "extract/TextSort.h"

namespace linkrake {
namespace {

// The texts' order after SortTexts is that of std::sort on the same views.
void ExpectSortedLikeStdSort(const std::vector<std::string>& texts, const std::string& label) {
  std::vector<std::string_view> views(texts.begin(), texts.end());
  std::vector<std::string_view> expected = views;
  std::sort(expected.begin(), expected.end());
  SortTexts(views.data(), views.data() + views.size());
  ASSERT_EQ(views.size(), expected.size());
  for (std::size_t i = 0; i < views.size(); ++i) {
    ASSERT_EQ(views[i], expected[i]) << label << ", at " << i;
  }
}

TEST(SortTexts, OrdersLikeAComparisonSort) {
  std::mt19937 random(8);
  auto randomText = [&](std::string prefix, std::size_t maxExtra, const std::string& alphabet) {
    const std::size_t extra = random() % (maxExtra + 1);
    for (std::size_t i = 0; i < extra; ++i) prefix += alphabet[random() % alphabet.size()];
    return prefix;
  };
  const std::string bytes = std::string("ab\0\x7F\x80\xFF", 6);
  const struct {
    const char* label;
    std::function<std::string()> make;
    int count;
  } cases[] = {
      {"links with long shared beginnings",
       [&] { return randomText(random() % 2 ? "http://www.example.com/" : "http://www.example.org/", 12, "ab/.1"); },
       5000},
      {"short texts and empty ones, NUL and high bytes", [&] { return randomText("", 10, bytes); }, 5000},
      {"lengths around every multiple of eight",
       [&] { return std::string(random() % 33, 'x') + (random() % 2 ? std::string(1, '\0') : ""); }, 3000},
      {"many copies of few texts", [&] { return randomText("ftp://f/", 2, "ab"); }, 4000},
      {"ties longer than the rounds go",
       [&] { return randomText(std::string(1500, 'q'), 3, "qr"); }, 300},
      {"a handful", [&] { return randomText("", 4, "abc"); }, 10},
  };
  for (const auto& c : cases) {
    std::vector<std::string> texts;
    for (int i = 0; i < c.count; ++i) texts.push_back(c.make());
    ExpectSortedLikeStdSort(texts, c.label);
  }
}

}  // namespace
}  // namespace linkrake
