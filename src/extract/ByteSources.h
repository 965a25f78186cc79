#pragma once
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <istream>
#include <string_view>

namespace linkrake {

// Where a search reads its bytes from: a file, a stream such as standard input, or a page
// already in memory. Read fills the buffer and returns fewer bytes only at the end of the
// input or after an error; Failed tells the two apart.
class IByteSource {
 public:
  virtual ~IByteSource() = default;
  virtual std::size_t Read(char* into, std::size_t size) = 0;
  virtual bool Failed() const = 0;
};

class FileByteSource : public IByteSource {
 public:
  explicit FileByteSource(std::FILE* file) : file_(file) {}
  std::size_t Read(char* into, std::size_t size) override {
    return std::fread(into, 1, size, file_);
  }
  bool Failed() const override { return std::ferror(file_) != 0; }

 private:
  std::FILE* file_;
};

class StreamByteSource : public IByteSource {
 public:
  explicit StreamByteSource(std::istream& in) : in_(in) {}
  std::size_t Read(char* into, std::size_t size) override {
    in_.read(into, static_cast<std::streamsize>(size));
    return static_cast<std::size_t>(in_.gcount());
  }
  // Reaching the end sets the fail bit as well; only the bad bit means the read went wrong.
  bool Failed() const override { return in_.bad(); }

 private:
  std::istream& in_;
};

class MemoryByteSource : public IByteSource {
 public:
  explicit MemoryByteSource(std::string_view bytes = {}) : rest_(bytes) {}
  // Starts over on other bytes, so that one reader with its buffer can serve many inputs.
  void Reset(std::string_view bytes) { rest_ = bytes; }
  std::size_t Read(char* into, std::size_t size) override {
    const std::size_t n = std::min(size, rest_.size());
    if (n != 0) std::memcpy(into, rest_.data(), n);
    rest_.remove_prefix(n);
    return n;
  }
  bool Failed() const override { return false; }

 private:
  std::string_view rest_;
};

}  // namespace linkrake
