#pragma once
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

namespace linkrake::testing {

// A folder of its own for one test, removed with everything in it afterwards.
class TempDir {
 public:
  TempDir() {
    std::random_device seed;
    const auto base = std::filesystem::temp_directory_path();
    do {
      path_ = base / ("linkrake-test-" + std::to_string(seed()));
    } while (!std::filesystem::create_directory(path_));
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string File(std::string_view name) const { return (path_ / name).string(); }

  // Writes the bytes to a file in the folder and returns its path.
  std::string Write(std::string_view name, std::string_view bytes) const {
    const std::string path = File(name);
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
  }

 private:
  std::filesystem::path path_;
};

inline std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace linkrake::testing
