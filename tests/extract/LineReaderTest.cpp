#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "extract/LineReader.h"
#include "support/TempDir.h"

namespace linkrake {
namespace {

struct Line {
  std::string text;
  bool mayHoldLink;
};

std::vector<Line> ReadLines(const std::string& bytes) {
  testing::TempDir dir;
  const std::string path = dir.Write("input", bytes);
  std::FILE* file = std::fopen(path.c_str(), "rb");
  std::vector<Line> lines;
  LineReader reader(file);
  EXPECT_TRUE(reader.ForEachLine([&](std::string_view text, bool may) {
    lines.push_back({std::string(text), may});
  }));
  std::fclose(file);

  // Reading only the lines that may hold a link gives exactly those lines, in order.
  std::vector<std::string> linkLines;
  for (const auto& line : lines) {
    if (line.mayHoldLink) linkLines.push_back(line.text);
  }
  file = std::fopen(path.c_str(), "rb");
  std::vector<std::string> skipped;
  LineReader skipping(file);
  EXPECT_TRUE(skipping.ForEachLinkLine([&](std::string_view text) { skipped.emplace_back(text); }));
  std::fclose(file);
  EXPECT_EQ(skipped, linkLines);
  return lines;
}

std::vector<std::string> Texts(const std::vector<Line>& lines) {
  std::vector<std::string> texts;
  for (const auto& line : lines) texts.push_back(line.text);
  return texts;
}

// A text-mode stream read with a 10,000-byte getline, kept as plain as possible: CR LF becomes
// LF, 0x1A ends the input, each read stops at the end, at LF (taken) or after 9,999 bytes, and
// its text ends at its first NUL. Reading goes on after a full buffer.
std::vector<std::string> Reference(const std::string& raw) {
  std::string in;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '\x1A') break;
    if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
    in += raw[i];
  }
  std::vector<std::string> lines;
  std::size_t pos = 0;
  bool atEnd = false;
  while (!atEnd) {
    std::string stored;
    while (true) {
      if (pos == in.size()) {
        atEnd = true;
        break;
      }
      if (in[pos] == '\n') {
        ++pos;
        break;
      }
      if (stored.size() == 9999) break;
      stored += in[pos++];
    }
    lines.push_back(stored.substr(0, stored.find('\0')));
  }
  return lines;
}

struct ReadCase {
  std::string name;
  std::string bytes;
  std::vector<std::string> lines;
};

TEST(LineReader, SplitsLikeATextModeStream) {
  const std::string x9999(9999, 'x');
  const std::vector<ReadCase> cases = {
      {"empty file", "", {""}},
      {"no final break", "abc", {"abc"}},
      {"final break", "a\nb\n", {"a", "b", ""}},
      {"CR LF", "a\r\nb\r\n", {"a", "b", ""}},
      {"lone CR", "a\rb\r", {"a\rb\r"}},
      {"CR CR LF keeps one CR", "a\r\r\nb", {"a\r", "b"}},
      {"0x1A ends the input", "a\nb\x1A" "c\nd\n", {"a", "b"}},
      {"NUL ends the line's text", std::string("a\0http://x/\nc", 13), {"a", "c"}},
      {"9,999 bytes fit", x9999 + "\r\ny", {x9999, "y"}},
      {"10,000 bytes are two lines", x9999 + "z", {x9999, "z"}},
      {"two full pieces", x9999 + x9999 + "\n", {x9999, x9999, ""}},
      {"a lone CR after a full piece", x9999 + "\rz\n", {x9999, "\rz", ""}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Texts(ReadLines(c.bytes)), c.lines) << c.name;
    EXPECT_EQ(Reference(c.bytes), c.lines) << "reference: " << c.name;
  }
}

TEST(LineReader, LineBreaksStraddlingReadBlocks) {
  const std::size_t block = LineReader::kBlock;
  // Lines of 1000 bytes up to the block's end, then an unfinished line whose CR is the block's
  // last byte and whose LF opens the next block; the same with the unfinished line exactly one
  // piece long.
  for (std::size_t tail : {std::size_t{1}, std::size_t{500}, std::size_t{9999}}) {
    std::string bytes;
    while (bytes.size() + 1000 <= block - tail - 1) bytes += std::string(999, 'a') + "\n";
    bytes += std::string(block - 1 - bytes.size(), 'b');
    bytes += "\r\nnext";
    ASSERT_EQ(bytes[block - 1], '\r');
    const auto lines = Texts(ReadLines(bytes));
    EXPECT_EQ(lines, Reference(bytes)) << "tail " << tail;
    for (const auto& line : lines) EXPECT_EQ(line.find('\r'), std::string::npos);
  }
}

TEST(LineReader, MatchesTheReferenceOnRandomInput) {
  std::mt19937 random(20261211);
  const char alphabet[] = {'a', 'b', ' ', '\r', '\n', ':', '/', '=', '"', '\0', 'h', 't', 'p'};
  // Rounds 6 to 8: text in which links are rare, as in most files.
  const char sparse[] = {'a', 'b', ' ', '\r', '\n', ':', '=', '\0', 'h', 't', 'p'};
  for (int round = 0; round < 9; ++round) {
    const bool rare = round >= 6;
    std::string bytes;
    const std::size_t size = LineReader::kBlock * 2 + random() % 50000;
    // Long runs without a line break now and then, so lines over 9,999 bytes meet the blocks'
    // ends too.
    while (bytes.size() < size) {
      const bool longRun = random() % 50 == 0;
      const std::size_t run = longRun ? 5000 + random() % 30000 : random() % 200;
      for (std::size_t i = 0; i < run; ++i) {
        char ch = rare ? sparse[random() % sizeof sparse] : alphabet[random() % sizeof alphabet];
        if (longRun && ch == '\n') ch = 'a';
        bytes += ch;
      }
      bytes += random() % 2 ? "\r\n" : "\n";
      if (random() % (rare ? 3000 : 100) == 0) bytes += "http://link/";
    }
    if (round == 5) bytes[size / 2] = '\x1A';
    const auto lines = ReadLines(bytes);
    ASSERT_EQ(Texts(lines), Reference(bytes)) << "round " << round;
    for (const auto& line : lines) {
      if (!line.mayHoldLink) {
        EXPECT_EQ(line.text.find("http://"), std::string::npos);
        EXPECT_EQ(line.text.find("ftp://"), std::string::npos);
        EXPECT_EQ(line.text.find("<a href=\""), std::string::npos);
      }
    }
  }
}

TEST(LineReader, LinesWithPatternsAreMarked) {
  const auto lines = ReadLines("plain\nhttp://a/\nx ftp://b\n<a href=\"c\">\nend :/ here\n");
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_FALSE(lines[0].mayHoldLink);
  EXPECT_TRUE(lines[1].mayHoldLink);
  EXPECT_TRUE(lines[2].mayHoldLink);
  EXPECT_TRUE(lines[3].mayHoldLink);
  EXPECT_FALSE(lines[5].mayHoldLink);
}

TEST(LineReader, AReadErrorEndsReading) {
  testing::TempDir dir;
  // Reading a folder fails on the first read.
  std::FILE* file = std::fopen(dir.Path().c_str(), "rb");
  ASSERT_NE(file, nullptr);
  LineReader reader(file);
  int lines = 0;
  EXPECT_FALSE(reader.ForEachLine([&](std::string_view, bool) { ++lines; }));
  EXPECT_EQ(lines, 0);
  std::fclose(file);
}

}  // namespace
}  // namespace linkrake
