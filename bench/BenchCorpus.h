#pragma once
// The benchmark's own inputs, generated on the spot so that nobody has to fetch any.
#include <cstdint>
#include <string>

namespace linkrake::bench {

enum class CorpusKind {
  Html,        // pages of markup: navigation lists, anchors, images, the odd address in text
  SparseText,  // prose with a link every few dozen kilobytes
};

const char* CorpusName(CorpusKind kind);

// Writes `bytes` bytes (rounded up to a whole line) of the corpus to `path`; the same kind and
// size always give the same bytes. Returns false when the file cannot be written.
bool WriteCorpus(const std::string& path, CorpusKind kind, std::uint64_t bytes);

}  // namespace linkrake::bench
