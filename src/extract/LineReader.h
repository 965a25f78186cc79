#pragma once
#include <string.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

#include "extract/ByteSources.h"
#include "extract/LinkCandidates.h"

namespace linkrake {

// Reads a file as lines the way a text-mode stream with a 10,000-byte line buffer does:
// LF ends a line, a CR right before it belongs to the line break, a lone CR is an ordinary
// byte, a 0x1A byte ends the input, and a NUL ends the text of its line. A line longer than
// 9,999 bytes comes as several lines of up to 9,999 bytes each. After the last line break the
// rest of the file is one more line (empty when the file ends with a line break).
//
// The file is read in large blocks into one buffer that is reused; lines are views into it.
class LineReader {
 public:
  static constexpr std::size_t kMaxLine = 9999;
  static constexpr std::size_t kBlock = std::size_t{1} << 20;

  explicit LineReader(IByteSource& source)
      : source_(&source), buffer_(std::make_unique<char[]>(kBlock + kMaxLine + 2)) {}
  explicit LineReader(std::FILE* file)
      : ownSource_(std::make_unique<FileByteSource>(file)), source_(ownSource_.get()),
        buffer_(std::make_unique<char[]>(kBlock + kMaxLine + 2)) {}

  // Calls onLine(text, mayHoldLink) for every line in order; mayHoldLink is false only for a
  // line that cannot hold a link pattern. Returns false when reading failed; the lines read
  // before the failure have been handed on.
  template <class OnLine>
  bool ForEachLine(OnLine&& onLine) {
    return Read<false>(onLine);
  }

  // The same lines, but only those that may hold a link, as onLine(text): when nobody watches
  // the progress, the lines between them need not even be found. Links are rare in most text,
  // so reading then costs little more than looking for the two bytes every link pattern has.
  template <class OnLine>
  bool ForEachLinkLine(OnLine&& onLine) {
    return Read<true>([&](std::string_view text, bool) { onLine(text); });
  }

 private:
  template <bool kOnlyLinkLines, class OnLine>
  bool Read(OnLine&& onLine);

  std::unique_ptr<FileByteSource> ownSource_;
  IByteSource* source_;
  std::unique_ptr<char[]> buffer_;
};

template <bool kOnlyLinkLines, class OnLine>
bool LineReader::Read(OnLine&& onLine) {
  char* const buf = buffer_.get();
  std::size_t carried = 0;  // start of an unfinished line, moved to the buffer's front
  bool ended = false;
  while (!ended) {
    const std::size_t got = source_->Read(buf + carried, kBlock);
    if (got < kBlock) {
      if (source_->Failed()) return false;
      ended = true;
    }
    std::size_t size = carried + got;
    if (const void* eof = std::memchr(buf + carried, 0x1A, got)) {
      size = static_cast<std::size_t>(static_cast<const char*>(eof) - buf);
      ended = true;
    }

    std::size_t nextNul = 0;   // first NUL at or after the current piece, or size
    std::size_t nextCand = 0;  // first link candidate at or after the current piece, or size
    bool nulKnown = false;
    bool candKnown = false;
    // Hands on buf[begin, end) as one line, cut at its first NUL.
    auto emit = [&](std::size_t begin, std::size_t end) {
      if (!nulKnown || nextNul < begin) {
        const void* nul = std::memchr(buf + begin, 0, size - begin);
        nextNul = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - buf) : size;
        nulKnown = true;
      }
      const std::size_t textEnd = nextNul < end ? nextNul : end;
      if (!candKnown || nextCand < begin) {
        nextCand = FindLinkCandidate(buf, begin, size);
        candKnown = true;
      }
      const bool mayHoldLink = nextCand + 1 < textEnd;
      if (!kOnlyLinkLines || mayHoldLink) {
        onLine(std::string_view(buf + begin, textEnd - begin), mayHoldLink);
      }
    };
    // Hands on buf[begin, end) as lines of at most kMaxLine bytes; an empty text is one line.
    auto emitPieces = [&](std::size_t begin, std::size_t end) {
      while (end - begin > kMaxLine) {
        emit(begin, begin + kMaxLine);
        begin += kMaxLine;
      }
      emit(begin, end);
    };

    std::size_t pos = 0;
    if constexpr (kOnlyLinkLines) {
      // From one candidate to the next: only the line around each is looked for. A candidate
      // pair never holds a line break, so the pair lies wholly inside its line.
      while (true) {
        const std::size_t cand = FindLinkCandidate(buf, pos, size);
        if (cand >= size) {
          // None left in the block: the unfinished line starts after the last line break.
          if (const void* lf = ::memrchr(buf + pos, '\n', size - pos)) {
            pos = static_cast<std::size_t>(static_cast<const char*>(lf) - buf) + 1;
          }
          break;
        }
        if (const void* lf = ::memrchr(buf + pos, '\n', cand - pos)) {
          pos = static_cast<std::size_t>(static_cast<const char*>(lf) - buf) + 1;
        }
        const void* lf = std::memchr(buf + cand, '\n', size - cand);
        if (!lf) break;  // the candidate's line goes on past the block
        std::size_t end = static_cast<std::size_t>(static_cast<const char*>(lf) - buf);
        const std::size_t next = end + 1;
        if (end > pos && buf[end - 1] == '\r') --end;
        emitPieces(pos, end);
        pos = next;
      }
    } else {
      while (const void* lf = std::memchr(buf + pos, '\n', size - pos)) {
        std::size_t end = static_cast<std::size_t>(static_cast<const char*>(lf) - buf);
        const std::size_t next = end + 1;
        if (end > pos && buf[end - 1] == '\r') --end;
        emitPieces(pos, end);
        pos = next;
      }
    }
    if (ended) {
      emitPieces(pos, size);
      break;
    }
    // Full pieces of the unfinished line can go now, unless the piece's following byte is a
    // CR at the end of the block, which may yet turn out to be part of a CR LF line break.
    while (size - pos > kMaxLine + 1 || (size - pos == kMaxLine + 1 && buf[size - 1] != '\r')) {
      emit(pos, pos + kMaxLine);
      pos += kMaxLine;
    }
    carried = size - pos;
    std::memmove(buf, buf + pos, carried);
  }
  return true;
}

}  // namespace linkrake
