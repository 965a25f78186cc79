#pragma once
// Splits a fuzzer's input into the choices of one run and the bytes it works on.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace linkrake::fuzz {

class FuzzBytes {
 public:
  FuzzBytes(const std::uint8_t* data, std::size_t size)
      : rest_(reinterpret_cast<const char*>(data), size) {}

  // The next byte, or 0 when the input is used up.
  std::uint8_t TakeByte() {
    if (rest_.empty()) return 0;
    const auto byte = static_cast<std::uint8_t>(rest_.front());
    rest_.remove_prefix(1);
    return byte;
  }

  // A text whose length, at most maxSize, comes from the next byte.
  std::string_view TakeText(std::size_t maxSize) {
    std::size_t size = TakeByte() % (maxSize + 1);
    if (size > rest_.size()) size = rest_.size();
    const std::string_view text = rest_.substr(0, size);
    rest_.remove_prefix(size);
    return text;
  }

  std::string_view Rest() const { return rest_; }

 private:
  std::string_view rest_;
};

// A failed invariant: says which and stops, so libFuzzer keeps the input as a finding.
[[noreturn]] inline void Fail(const char* what) {
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

inline void Check(bool ok, const char* what) {
  if (!ok) Fail(what);
}

}  // namespace linkrake::fuzz
