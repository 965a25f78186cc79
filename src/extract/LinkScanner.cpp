#include "extract/LinkScanner.h"

#include <string.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace linkrake {
namespace {

constexpr std::string_view kAnchor = "<a href=\"";
constexpr std::string_view kHttp = "http://";
constexpr std::string_view kFtp = "ftp://";
constexpr auto npos = std::string_view::npos;

// The next position of one byte at or after a position; a line with many links is searched
// once from left to right rather than once per link.
class NextByte {
 public:
  explicit NextByte(char ch) : ch_(ch) {}
  std::size_t From(std::string_view line, std::size_t from) {
    if (!known_ || (at_ != npos && at_ < from)) {
      at_ = line.find(ch_, from);
      known_ = true;
    }
    return at_;
  }

 private:
  char ch_;
  bool known_ = false;
  std::size_t at_ = npos;
};

// Whether "<name>://" stands with its colon at `colon`. Searching for the colon, a rare byte,
// instead of the scheme's first letter, a common one, finds the same matches in the same order.
bool SchemeAt(std::string_view line, std::size_t colon, std::string_view name) {
  if (colon < name.size() || colon + 2 >= line.size() || line[colon + 1] != '/' ||
      line[colon + 2] != '/') {
    return false;
  }
  const char* at = line.data() + colon - name.size();
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (at[i] != name[i]) return false;
  }
  return true;
}

// The next "<a href=\"" at or after `from`, or npos. Markup is full of "<", so each one is
// checked in place (eight bytes at once) rather than by a general search.
std::size_t FindAnchor(std::string_view line, std::size_t from) {
  static_assert(kAnchor.size() == 9);
  std::uint64_t head;
  std::memcpy(&head, kAnchor.data(), 8);
  while (from + kAnchor.size() <= line.size()) {
    const void* found = std::memchr(line.data() + from, '<', line.size() - kAnchor.size() + 1 - from);
    if (!found) break;
    const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(found) - line.data());
    std::uint64_t bytes;
    std::memcpy(&bytes, line.data() + at, 8);
    if (bytes == head && line[at + 8] == '"') return at;
    from = at + 1;
  }
  return npos;
}

// The start of the last "http://" in the line, or npos.
std::size_t LastHttp(std::string_view line) {
  for (std::size_t end = line.size(); end > 0;) {
    const void* found = ::memrchr(line.data(), ':', end);
    if (!found) break;
    const std::size_t colon = static_cast<std::size_t>(static_cast<const char*>(found) - line.data());
    if (SchemeAt(line, colon, "http")) return colon - 4;
    end = colon;
  }
  return npos;
}

}  // namespace

void CLinkScanner::ScanLine(std::string_view line, bool anchor, bool http, bool ftp,
                            std::string_view base) {
  if (anchor) AnchorPass(line, base);
  if (http) SchemePass(line, kHttp);
  if (ftp) SchemePass(line, kFtp);
}

bool CLinkScanner::Add(std::string_view a, std::string_view b, std::string_view c, int& count) {
  // Trailing "'" go. They never reach into a or b: either both are empty, or b is "/", or
  // c begins with "/".
  while (!c.empty() && c.back() == '\'') c.remove_suffix(1);
  list_.InsertJoined(a, b, c);
  if (++count < kMaxLinksPerPass) return false;
  messages_.ShowMessage(kCapMessage, MessageIcon::Error);
  return true;
}

void CLinkScanner::AnchorPass(std::string_view line, std::string_view base) {
  std::size_t match = FindAnchor(line, 0);
  if (match == npos) return;
  // A target is taken as it stands when "http://" occurs anywhere from its start on.
  const std::size_t lastHttp = LastHttp(line);
  NextByte quote('"');
  int count = 0;
  while (match != npos) {
    const std::size_t p = match + kAnchor.size();
    const std::size_t q = quote.From(line, p);
    const std::string_view target = line.substr(p, (q == npos ? line.size() : q) - p);
    // A target that names its own scheme is taken as it stands too: with the base in front
    // of it it would name nothing.
    const bool absolute = (lastHttp != npos && lastHttp >= p) ||
                          target.starts_with("https://") || target.starts_with(kFtp);
    bool capped;
    if (absolute) {
      capped = Add({}, {}, target, count);
    } else {
      const bool slashed = p < line.size() && line[p] == '/';
      capped = Add(base, slashed ? std::string_view{} : std::string_view{"/"}, target, count);
    }
    if (capped) return;
    match = FindAnchor(line, p + 1);
  }
}

void CLinkScanner::SchemePass(std::string_view line, std::string_view scheme) {
  NextByte space(' ');
  NextByte quote('"');
  int count = 0;
  const std::string_view name = scheme.substr(0, scheme.size() - 3);  // without "://"
  for (std::size_t colon = line.find(':', name.size()); colon != npos;
       colon = line.find(':', colon + 1)) {
    if (!SchemeAt(line, colon, name)) continue;
    const std::size_t m = colon - name.size();
    const std::size_t end =
        std::min({space.From(line, m), quote.From(line, m), line.size()});
    if (Add({}, {}, line.substr(m, end - m), count)) return;
  }
}

}  // namespace linkrake
