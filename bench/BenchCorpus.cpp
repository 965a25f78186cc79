#include "BenchCorpus.h"

#include <cstdio>
#include <memory>
#include <string_view>

namespace linkrake::bench {
namespace {

// xorshift64*: fast, and the same sequence on every machine.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed | 1) {}
  std::uint64_t Next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 0x2545F4914F6CDD1DULL;
  }
  std::uint64_t Below(std::uint64_t n) { return Next() % n; }
  bool OneIn(std::uint64_t n) { return Below(n) == 0; }

 private:
  std::uint64_t state_;
};

constexpr std::string_view kWords[] = {
    "the",     "garden", "rake",    "of",      "and",     "a",        "to",      "in",
    "steel",   "handle", "spring",  "leaves",  "soil",    "with",     "for",     "is",
    "autumn",  "tines",  "wooden",  "long",    "light",   "strong",   "every",   "tool",
    "season",  "lawn",   "that",    "on",      "as",      "by",       "this",    "from",
    "gardener", "moss",  "gravel",  "border",  "compost", "weather",  "shed",    "careful",
    "Note:",   "price",  "(see",    "below)",  "x = y",   "2026,",    "it's",    "well."};

constexpr std::string_view kHosts[] = {
    "www.example.com", "shop.example.net", "cdn.example.org", "news.example.com",
    "www.morvane.example", "static.example.net", "blog.example.org", "docs.example.com"};

constexpr std::string_view kSections[] = {"products", "category", "news", "help", "img",
                                          "blog",     "about",    "tags", "files"};

void AppendNumber(std::string& out, std::uint64_t n) {
  char digits[24];
  int length = 0;
  do {
    digits[length++] = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (n != 0);
  while (length > 0) out += digits[--length];
}

void AppendWords(std::string& out, Random& random, int count) {
  for (int i = 0; i < count; ++i) {
    if (i) out += ' ';
    out += kWords[random.Below(std::size(kWords))];
  }
}

// A path as sites have them: most links point at a few thousand pages everybody links to
// (menus, footers), the rest at one of a million items.
void AppendPath(std::string& out, Random& random) {
  out += '/';
  out += kSections[random.Below(std::size(kSections))];
  out += random.OneIn(2) ? "/item-" : "/page-";
  AppendNumber(out, random.Below(10) < 7 ? random.Below(3000) : random.Below(1000000));
  out += ".html";
}

void AppendAbsolute(std::string& out, Random& random) {
  out += "http://";
  out += kHosts[random.Below(std::size(kHosts))];
  AppendPath(out, random);
}

void AppendHtmlLine(std::string& out, Random& random) {
  switch (random.Below(10)) {
    case 0:
    case 1:
    case 2:  // a menu entry with a relative link
      out += "  <li class=\"nav-item\"><a href=\"";
      AppendPath(out, random);
      out += "\">";
      AppendWords(out, random, 2);
      out += "</a></li>";
      break;
    case 3:
    case 4:  // an absolute link around an image, with its own address in the source
      out += "<a href=\"";
      AppendAbsolute(out, random);
      out += "\"><img src=\"";
      AppendAbsolute(out, random);
      out += "\" alt=\"";
      AppendWords(out, random, 2);
      out += "\"></a>";
      break;
    case 5:  // text that mentions an address
      out += "<p>";
      AppendWords(out, random, 6);
      out += " http://";
      out += kHosts[random.Below(std::size(kHosts))];
      AppendPath(out, random);
      out += ' ';
      AppendWords(out, random, 4);
      out += "</p>";
      break;
    case 6:  // a download mirror
      out += "<div class=\"mirror\">ftp://ftp.example.org/pub/release-";
      AppendNumber(out, random.Below(500));
      out += ".tar.gz</div>";
      break;
    default:  // markup and prose without links
      out += "<p class=\"text\">";
      AppendWords(out, random, 10 + static_cast<int>(random.Below(10)));
      out += "</p>";
      break;
  }
  out += random.OneIn(4) ? "\r\n" : "\n";
}

void AppendTextLine(std::string& out, Random& random) {
  AppendWords(out, random, 8 + static_cast<int>(random.Below(8)));
  if (random.OneIn(700)) {
    out += " see ";
    AppendAbsolute(out, random);
    out += " for more";
  }
  out += '\n';
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

const char* CorpusName(CorpusKind kind) {
  return kind == CorpusKind::Html ? "HTML, link-dense" : "text, link-sparse";
}

bool WriteCorpus(const std::string& path, CorpusKind kind, std::uint64_t bytes) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  Random random(kind == CorpusKind::Html ? 20261211 : 1211);
  std::string chunk;
  constexpr std::size_t kChunk = std::size_t{1} << 20;
  chunk.reserve(kChunk + 4096);
  std::uint64_t written = 0;
  while (written < bytes) {
    chunk.clear();
    while (chunk.size() < kChunk) {
      if (kind == CorpusKind::Html) {
        AppendHtmlLine(chunk, random);
      } else {
        AppendTextLine(chunk, random);
      }
    }
    if (std::fwrite(chunk.data(), 1, chunk.size(), file.get()) != chunk.size()) return false;
    written += chunk.size();
  }
  return std::fclose(file.release()) == 0;
}

}  // namespace linkrake::bench
